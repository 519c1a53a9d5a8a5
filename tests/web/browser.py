"""The browsers the page is checked in: headless Chromium over chromium-driver and
the DevTools protocol, Firefox ESR over Marionette, and a static server for
the folder build. Everything they write goes to temporary folders."""

import functools
import http.server
import json
import os
import pathlib
import shutil
import socket
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
    """Headless Firefox ESR over Marionette, its own automation protocol (which
    geckodriver speaks): JSON messages, each after its length and a colon."""

    def __init__(self):
        super().__init__("mc-firefox-")
        profile = os.path.join(self.folder, "profile")
        os.mkdir(profile)
        # Port 0: Firefox takes a free one and writes it into the profile. The remote
        # agent's recommended preferences keep Firefox off the network.
        with open(os.path.join(profile, "user.js"), "w") as file:
            file.write(f'user_pref("marionette.port", 0);\n'
                       f'user_pref("browser.download.folderList", 2);\n'
                       f'user_pref("browser.download.dir", {json.dumps(self.downloads)});\n')
        self._process = subprocess.Popen(
            ["/usr/bin/firefox-esr", "--headless", "--marionette", "--no-remote", "--profile", profile, "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env={**self.env, "MOZ_CRASHREPORTER_DISABLE": "1"})
        port = pathlib.Path(profile, "MarionetteActivePort")
        wait_for(lambda: port.exists() and port.read_text().strip(), 30, "Firefox's Marionette port")
        self._socket = socket.create_connection(("127.0.0.1", int(port.read_text())), timeout=30)
        self._replies = self._socket.makefile("rb")
        self._next_id = 0
        self._receive()  # Firefox's greeting
        self.send("WebDriver:NewSession", {"capabilities": {}})

    def _receive(self):
        length = b""
        while not length.endswith(b":"):
            byte = self._replies.read(1)
            if not byte:
                raise ConnectionError("Firefox closed its Marionette connection")
            length += byte
        return json.loads(self._replies.read(int(length[:-1])))

    def send(self, command, params):
        self._next_id += 1
        message = json.dumps([0, self._next_id, command, params]).encode()
        self._socket.sendall(b"%d:%s" % (len(message), message))
        _, _, error, result = self._receive()
        if error:
            raise RuntimeError(f"{command}: {error.get('error')}: {error.get('message')}")
        return result

    def close(self):
        try:
            self.send("Marionette:Quit", {})
        finally:
            self._process.terminate()  # by then on its way out, unless the quit failed
            self._process.wait()
            self._socket.close()
            shutil.rmtree(self.folder, ignore_errors=True)

    def open(self, url):
        self.send("WebDriver:Navigate", {"url": url})
        wait_for(lambda: self.eval("document.documentElement.dataset.ready") == "1", 10, "page ready")

    def eval(self, expression):
        return self.send("WebDriver:ExecuteScript", {"script": f"return ({expression});", "args": []})["value"]

    def click(self, selector):
        element = self.send("WebDriver:FindElement", {"using": "css selector", "value": selector})["value"]
        self.send("WebDriver:ElementClick", {"id": next(iter(element.values()))})
