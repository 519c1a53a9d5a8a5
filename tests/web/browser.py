"""The browsers the page is checked in: headless Chromium over chromium-driver and
the DevTools protocol, Firefox ESR over WebDriver BiDi, and a static server for
the folder build. Everything they write goes to temporary folders."""

import functools
import http.server
import json
import os
import re
import shutil
import subprocess
import tempfile
import threading

from selenium import webdriver
from selenium.common.exceptions import TimeoutException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.actions import interaction
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.actions.pointer_input import PointerInput
from selenium.webdriver.support.wait import WebDriverWait


def wait_for(probe, seconds, what):
    """The probe's first true answer within the time, else TimeoutException; for either browser."""
    wait = WebDriverWait(None, seconds, poll_frequency=0.02)
    return wait.until(lambda _: probe(), f"{what} not reached within {seconds:g} s")


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


class StaticServer:
    """A folder on http://127.0.0.1:PORT/ from a thread, as any static web server would serve it."""

    def __init__(self, folder):
        self._httpd = http.server.ThreadingHTTPServer(
            ("127.0.0.1", 0), functools.partial(QuietHandler, directory=str(folder)))
        self.origin = f"http://127.0.0.1:{self._httpd.server_address[1]}"
        self._thread = threading.Thread(target=self._httpd.serve_forever, daemon=True)
        self._thread.start()

    def stop(self):
        if self._thread:
            self._httpd.shutdown()
            self._httpd.server_close()
            self._thread = None


class Browser:
    """A temporary folder for the browser's profile, home and downloads."""

    def __init__(self, prefix):
        self.folder = tempfile.mkdtemp(prefix=prefix)
        self.downloads = os.path.join(self.folder, "downloads")
        os.mkdir(self.downloads)
        home = os.path.join(self.folder, "home")
        # Crash reports, recent files and settings stay out of the user's home.
        self.env = {**os.environ, "HOME": home, "XDG_CONFIG_HOME": os.path.join(home, ".config"),
                    "XDG_CACHE_HOME": os.path.join(home, ".cache"), "XDG_DATA_HOME": os.path.join(home, ".local")}

    def take_download(self, name):
        """The bytes of the finished download of that name, removed from the folder."""
        path = os.path.join(self.downloads, name)
        wait_for(lambda: os.path.exists(path) and os.path.getsize(path) > 0 and not os.path.exists(path + ".part")
                 and not os.path.exists(path + ".crdownload"), 10, f"download of {name}")
        with open(path, "rb") as file:
            data = file.read()
        os.remove(path)
        return data


class Chromium(Browser):
    """Headless Chromium with a network log of its own. cdp() reaches the DevTools
    protocol of the open tab."""

    def __init__(self):
        super().__init__("mc-chromium-")
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        # chromedriver itself turns off the first run, background networking and sync.
        for argument in ("--headless=new", "--no-sandbox", f"--user-data-dir={self.folder}/profile", "--disable-extensions",
                         "--disable-component-update", "--metrics-recording-only", "--disable-breakpad", "--window-size=1280,900"):
            options.add_argument(argument)
        options.set_capability("goog:loggingPrefs", {"performance": "ALL"})
        service = Service("/usr/bin/chromedriver", log_path=os.path.join(self.folder, "chromedriver.log"), env=self.env)
        self.driver = webdriver.Chrome(service=service, options=options)
        self.cdp("Browser.setDownloadBehavior", {"behavior": "allow", "downloadPath": self.downloads})
        self.requests()  # forgets the browser's own start page

    def close(self):
        try:
            self.driver.quit()
        finally:
            shutil.rmtree(self.folder, ignore_errors=True)

    def cdp(self, method, params=None):
        return self.driver.execute_cdp_cmd(method, params or {})

    def eval(self, expression):
        return self.driver.execute_script("return (" + expression + ");")

    def open(self, url):
        self.driver.get(url)
        wait_for(lambda: self.eval("document.documentElement.dataset.ready") == "1", 10, "page ready")

    def reload(self):
        self.open(self.driver.current_url)

    def click(self, selector):
        self.driver.find_element("css selector", selector).click()

    def keys(self, *keys):
        """Keys pressed on whatever has the focus, as a user types them."""
        webdriver.ActionChains(self.driver).send_keys(*keys).perform()

    def tap(self, selector):
        actions = ActionBuilder(self.driver, mouse=PointerInput(interaction.POINTER_TOUCH, "finger"))
        element = self.driver.find_element("css selector", selector)
        actions.pointer_action.move_to(element).pointer_down().pause(0.05).pointer_up()
        actions.perform()

    def requests(self):
        """Every address the pages asked for since the last call."""
        messages = [json.loads(entry["message"])["message"] for entry in self.driver.get_log("performance")]
        return [m["params"]["request"]["url"] for m in messages if m["method"] == "Network.requestWillBeSent"]

    def screen(self, width, height, ratio, mobile):
        """The window as a device of that size and pixel ratio; turned by its sides."""
        landscape = width > height
        self.cdp("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": ratio, "mobile": mobile,
            "screenOrientation": {"type": "landscapePrimary" if landscape else "portraitPrimary",
                                  "angle": 90 if landscape else 0}})


class Firefox(Browser):
    """Headless Firefox ESR spoken to over WebDriver BiDi: a minimal client over
    trio-websocket, the websocket module python3-selenium brings, run in a thread
    of its own so that the checks call it like the Chromium driver."""

    def __init__(self):
        import trio  # only the Firefox side needs them
        import trio_websocket

        super().__init__("mc-firefox-")
        self._trio = trio
        self._websocket = trio_websocket
        profile = os.path.join(self.folder, "profile")
        os.mkdir(profile)
        # The remote agent's recommended preferences keep Firefox off the network.
        with open(os.path.join(profile, "user.js"), "w") as file:
            file.write(f'user_pref("browser.download.folderList", 2);\n'
                       f'user_pref("browser.download.dir", {json.dumps(self.downloads)});\n')
        self._log = open(os.path.join(self.folder, "firefox.log"), "w+")
        self._process = subprocess.Popen(
            ["/usr/bin/firefox-esr", "--headless", "--no-remote", "--remote-debugging-port=0", "--profile", profile,
             "about:blank"], stdout=self._log, stderr=subprocess.STDOUT, env={**self.env, "MOZ_CRASHREPORTER_DISABLE": "1"})
        self._url = wait_for(self._listening, 30, "Firefox's WebDriver BiDi") + "/session"
        self._next_id = 0
        self._started = threading.Event()
        self._thread = threading.Thread(target=trio.run, args=(self._serve,), daemon=True)
        self._thread.start()
        if not self._started.wait(20):
            raise TimeoutException(f"no WebDriver BiDi connection to {self._url}")
        self.send("session.new", {"capabilities": {}})
        self.context = self.send("browsingContext.getTree", {})["contexts"][0]["context"]

    def _listening(self):
        self._log.seek(0)
        found = re.search(r"WebDriver BiDi listening on (ws://\S+)", self._log.read())
        return found and found.group(1)

    async def _serve(self):
        async with self._websocket.open_websocket_url(self._url) as self._ws:
            self._token = self._trio.lowlevel.current_trio_token()
            self._closed = self._trio.Event()
            self._started.set()
            await self._closed.wait()

    async def _request(self, ident, message, seconds):
        with self._trio.fail_after(seconds):
            await self._ws.send_message(message)
            while True:  # events are not asked for; a late reply is passed over
                reply = json.loads(await self._ws.get_message())
                if reply.get("id") == ident:
                    return reply

    def send(self, method, params, seconds=30):
        self._next_id += 1
        message = json.dumps({"id": self._next_id, "method": method, "params": params})
        reply = self._trio.from_thread.run(self._request, self._next_id, message, seconds, trio_token=self._token)
        if reply.get("type") == "error":
            raise RuntimeError(f"{method}: {reply.get('error')}: {reply.get('message')}")
        return reply["result"]

    def close(self):
        try:
            if self._started.is_set():
                self.send("browser.close", {}, seconds=5)
                self._trio.from_thread.run_sync(self._closed.set, trio_token=self._token)
        finally:
            self._process.terminate()  # by then on its way out, unless the close failed
            self._process.wait()
            self._log.close()
            shutil.rmtree(self.folder, ignore_errors=True)

    def open(self, url):
        self.send("browsingContext.navigate", {"context": self.context, "url": url, "wait": "complete"})
        wait_for(lambda: self.eval("document.documentElement.dataset.ready") == "1", 10, "page ready")

    def eval(self, expression):
        """The expression's value, through JSON."""
        reply = self.send("script.evaluate", {
            "expression": f"JSON.stringify({expression}) ?? 'null'", "target": {"context": self.context},
            "awaitPromise": False})
        if reply.get("type") == "exception":
            raise RuntimeError(reply["exceptionDetails"].get("text", "script failed"))
        return json.loads(reply["result"]["value"])

    def click(self, selector):
        element = self.send("script.evaluate", {
            "expression": f"document.querySelector({json.dumps(selector)})",
            "target": {"context": self.context}, "awaitPromise": False, "resultOwnership": "root"})["result"]
        origin = {"type": "element", "element": {"sharedId": element["sharedId"]}}
        self.send("input.performActions", {"context": self.context, "actions": [{
            "type": "pointer", "id": "mouse", "parameters": {"pointerType": "mouse"}, "actions": [
                {"type": "pointerMove", "x": 0, "y": 0, "origin": origin},
                {"type": "pointerDown", "button": 0}, {"type": "pointerUp", "button": 0}]}]})
