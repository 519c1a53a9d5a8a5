"""The browsers the page is checked in: headless Chromium over chromium-driver and
the DevTools protocol, Firefox ESR over WebDriver BiDi, and a static server for
the folder build. Everything they write goes to temporary folders."""

import functools
import http.server
import json
import os
import shutil
import socket
import subprocess
import tempfile
import threading
import time
import urllib.parse

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.actions import interaction
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.actions.pointer_input import PointerInput
from selenium.webdriver.common.keys import Keys


class Timeout(Exception):
    pass


def wait_for(probe, seconds=10.0, what="condition", step=0.02):
    """The probe's first true answer within the time, else Timeout."""
    end = time.monotonic() + seconds
    while True:
        answer = probe()
        if answer:
            return answer
        if time.monotonic() > end:
            raise Timeout(f"{what} not reached within {seconds:g} s")
        time.sleep(step)


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


class StaticServer:
    """A folder on http://127.0.0.1:PORT/ from a thread, as any static web server
    would serve it; remembers the paths asked for."""

    types = {".wasm": "application/wasm", ".webmanifest": "application/manifest+json",
             ".js": "text/javascript", ".woff2": "font/woff2"}

    def __init__(self, folder):
        self.requests = []
        server = self

        class Handler(http.server.SimpleHTTPRequestHandler):
            extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, **StaticServer.types}

            def log_message(self, *args):
                server.requests.append(self.path)

        self._httpd = http.server.ThreadingHTTPServer(
            ("127.0.0.1", 0), functools.partial(Handler, directory=str(folder)))
        self.origin = f"http://127.0.0.1:{self._httpd.server_address[1]}"
        self._thread = threading.Thread(target=self._httpd.serve_forever, daemon=True)
        self._thread.start()

    def stop(self):
        if self._thread:
            self._httpd.shutdown()
            self._httpd.server_close()
            self._thread.join()
            self._thread = None


# Where a page's own origin ends: requests to these never leave the device.
LOCAL_SCHEMES = ("data:", "blob:", "file:", "chrome-extension:", "about:")


def foreign_requests(urls, origin):
    """The requested addresses that leave the page's origin."""
    return [url for url in urls
            if not url.startswith(LOCAL_SCHEMES) and not (origin and url.startswith(origin + "/"))
            and url != origin]


def private_home(folder):
    """The environment for a browser whose home is inside its temporary folder, so
    that crash reports, recent files and settings stay out of the user's."""
    home = os.path.join(folder, "home")
    os.makedirs(home, exist_ok=True)
    return {**os.environ, "HOME": home, "XDG_CONFIG_HOME": os.path.join(home, ".config"),
            "XDG_CACHE_HOME": os.path.join(home, ".cache"), "XDG_DATA_HOME": os.path.join(home, ".local", "share")}


class Chromium:
    """Headless Chromium with a profile, a download folder and a network log of
    its own. cdp() reaches the DevTools protocol of the open tab."""

    def __init__(self):
        self.folder = tempfile.mkdtemp(prefix="mc-chromium-")
        self.downloads = os.path.join(self.folder, "downloads")
        os.mkdir(self.downloads)
        options = webdriver.ChromeOptions()
        options.binary_location = shutil.which("chromium") or "/usr/bin/chromium"
        for argument in ("--headless=new", "--no-sandbox", f"--user-data-dir={self.folder}/profile",
                         "--no-first-run", "--no-default-browser-check", "--disable-extensions",
                         "--disable-background-networking", "--disable-component-update",
                         "--disable-sync", "--metrics-recording-only", "--disable-breakpad", "--window-size=1280,900"):
            options.add_argument(argument)
        options.set_capability("goog:loggingPrefs", {"performance": "ALL"})
        service = Service(shutil.which("chromedriver") or "/usr/bin/chromedriver",
                          log_path=os.path.join(self.folder, "chromedriver.log"), env=private_home(self.folder))
        self.driver = webdriver.Chrome(service=service, options=options)
        self._requests = []
        self.allow_downloads()
        self.forget_requests()  # the browser's own start page

    def close(self):
        try:
            self.driver.quit()
        finally:
            shutil.rmtree(self.folder, ignore_errors=True)

    def cdp(self, method, params=None):
        return self.driver.execute_cdp_cmd(method, params or {})

    def allow_downloads(self):
        try:
            self.cdp("Browser.setDownloadBehavior",
                     {"behavior": "allow", "downloadPath": self.downloads, "eventsEnabled": True})
        except Exception:  # an older protocol: the page's own
            self.cdp("Page.setDownloadBehavior", {"behavior": "allow", "downloadPath": self.downloads})

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def open(self, url, ready=True):
        self.driver.get(url)
        if ready:
            self.wait_ready()

    def wait_ready(self, seconds=10):
        wait_for(lambda: self.js("return document.documentElement.dataset.ready") == "1", seconds, "page ready")

    def requests(self):
        """Every address the pages asked for since the requests were last forgotten."""
        for entry in self.driver.get_log("performance"):
            message = json.loads(entry["message"])["message"]
            if message.get("method") == "Network.requestWillBeSent":
                self._requests.append(message["params"]["request"]["url"])
        return list(self._requests)

    def forget_requests(self):
        self.requests()
        self._requests = []

    def take_download(self, name, seconds=10):
        """The bytes of the finished download of that name, removed from the folder."""
        path = os.path.join(self.downloads, name)
        wait_for(lambda: os.path.exists(path) and not os.path.exists(path + ".crdownload"), seconds,
                 f"download of {name}")
        with open(path, "rb") as file:
            data = file.read()
        os.remove(path)
        return data

    def screen(self, width, height, ratio=1, mobile=False, landscape=None):
        """The window as a device of that size and pixel ratio; turned by its sides."""
        landscape = width > height if landscape is None else landscape
        self.cdp("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": ratio, "mobile": mobile,
            "screenWidth": width, "screenHeight": height,
            "screenOrientation": {"type": "landscapePrimary" if landscape else "portraitPrimary",
                                  "angle": 90 if landscape else 0}})

    def plain_screen(self):
        self.cdp("Emulation.clearDeviceMetricsOverride")

    def throttle(self, rate):
        self.cdp("Emulation.setCPUThrottlingRate", {"rate": rate})

    def touch(self, enabled=True):
        self.cdp("Emulation.setTouchEmulationEnabled", {"enabled": enabled, "maxTouchPoints": 5 if enabled else 1})

    def tap(self, element):
        finger = PointerInput(interaction.POINTER_TOUCH, "finger")
        actions = ActionBuilder(self.driver, mouse=finger)
        actions.pointer_action.move_to(element).pointer_down().pause(0.05).pointer_up()
        actions.perform()

    def keys(self, *keys):
        """Keys pressed on whatever has the focus, as a user types them."""
        chain = webdriver.ActionChains(self.driver)
        for key in keys:
            chain.send_keys(key)
        chain.perform()

    def ax_tree(self):
        self.cdp("Accessibility.enable")
        return self.cdp("Accessibility.getFullAXTree")["nodes"]

    def screenshot(self, path):
        self.driver.save_screenshot(path)


def ax_nodes(nodes, role=None, name=None):
    """The tree's nodes with that role (and name), ignored ones left out."""
    found = []
    for node in nodes:
        if node.get("ignored"):
            continue
        node_role = node.get("role", {}).get("value")
        node_name = node.get("name", {}).get("value")
        if (role is None or node_role == role) and (name is None or node_name == name):
            found.append(node)
    return found


def ax_property(node, name):
    for prop in node.get("properties", []):
        if prop["name"] == name:
            return prop["value"].get("value")
    return None


class BiDiError(Exception):
    pass


class Firefox:
    """Headless Firefox ESR spoken to over WebDriver BiDi: a minimal client over
    trio-websocket, the websocket module python3-selenium brings, run in a thread
    of its own so that the checks call it like the Chromium driver."""

    def __init__(self):
        import trio  # only the Firefox side needs them
        import trio_websocket

        self._trio = trio
        self._ws_module = trio_websocket
        self.folder = tempfile.mkdtemp(prefix="mc-firefox-")
        self.downloads = os.path.join(self.folder, "downloads")
        profile = os.path.join(self.folder, "profile")
        os.mkdir(self.downloads)
        os.mkdir(profile)
        prefs = {
            "browser.download.folderList": 2,
            "browser.download.dir": self.downloads,
            "browser.download.useDownloadDir": True,
            "browser.download.always_ask_before_handling_new_types": False,
            "browser.helperApps.neverAsk.saveToDisk": "text/plain,application/octet-stream",
            "browser.download.manager.showWhenStarting": False,
            "browser.download.start_downloads_in_tmp_dir": False,
            "browser.shell.checkDefaultBrowser": False,
            "browser.startup.homepage_override.mstone": "ignore",
            "datareporting.policy.dataSubmissionEnabled": False,
            "toolkit.telemetry.reportingpolicy.firstRun": False,
            "app.update.disabledForTesting": True,
            "remote.prefs.recommended": True,
        }
        with open(os.path.join(profile, "user.js"), "w") as file:
            for key, value in prefs.items():
                file.write(f"user_pref({json.dumps(key)}, {json.dumps(value)});\n")
        port = free_port()
        self._log = open(os.path.join(self.folder, "firefox.log"), "w+")
        self._process = subprocess.Popen(
            [shutil.which("firefox-esr") or "/usr/bin/firefox-esr", "--headless", "--no-remote",
             f"--remote-debugging-port={port}", "--profile", profile, "about:blank"],
            stdout=self._log, stderr=subprocess.STDOUT, env={**private_home(self.folder), "MOZ_CRASHREPORTER_DISABLE": "1"})
        self._url = f"ws://127.0.0.1:{port}/session"
        wait_for(self._listening, 30, "Firefox's WebDriver BiDi", step=0.1)
        self._replies = {}
        self._next_id = 0
        self._started = threading.Event()
        self._failure = None
        self._thread = threading.Thread(target=self._trio.run, args=(self._serve,), daemon=True)
        self._thread.start()
        self._started.wait(20)
        if self._failure:
            raise self._failure
        self.send("session.new", {"capabilities": {"alwaysMatch": {"acceptInsecureCerts": True}}})
        tree = self.send("browsingContext.getTree", {})
        self.context = tree["contexts"][0]["context"]

    def _listening(self):
        self._log.seek(0)
        return "WebDriver BiDi listening" in self._log.read()

    async def _serve(self):
        try:
            async with self._ws_module.open_websocket_url(self._url) as ws:
                self._ws = ws
                self._token = self._trio.lowlevel.current_trio_token()
                self._closed = self._trio.Event()
                async with self._trio.open_nursery() as nursery:
                    nursery.start_soon(self._read)
                    self._started.set()
                    await self._closed.wait()
                    nursery.cancel_scope.cancel()
        except Exception as failure:  # reported to the caller that waits for the start
            self._failure = failure
            self._started.set()

    async def _read(self):
        while True:
            message = json.loads(await self._ws.get_message())
            if message.get("id") in self._replies:  # events are not asked for
                self._replies[message["id"]][1] = message
                self._replies[message["id"]][0].set()

    async def _request(self, method, params):
        self._next_id += 1
        ident = self._next_id
        done = self._trio.Event()
        self._replies[ident] = [done, None]
        await self._ws.send_message(json.dumps({"id": ident, "method": method, "params": params}))
        await done.wait()
        return self._replies.pop(ident)[1]

    def send(self, method, params, seconds=30):
        reply = self._trio.from_thread.run(
            lambda: self._with_timeout(method, params, seconds), trio_token=self._token)
        if reply.get("type") == "error":
            raise BiDiError(f"{method}: {reply.get('error')}: {reply.get('message')}")
        return reply["result"]

    async def _with_timeout(self, method, params, seconds):
        with self._trio.fail_after(seconds):
            return await self._request(method, params)

    def close(self):
        try:
            try:
                self.send("browser.close", {}, seconds=5)
            except Exception:
                pass
            if getattr(self, "_token", None):
                self._trio.from_thread.run_sync(self._closed.set, trio_token=self._token)
                self._thread.join(5)
        finally:
            if self._process.poll() is None:
                self._process.terminate()
                try:
                    self._process.wait(10)
                except subprocess.TimeoutExpired:
                    self._process.kill()
            self._log.close()
            shutil.rmtree(self.folder, ignore_errors=True)

    def open(self, url, ready=True):
        self.send("browsingContext.navigate", {"context": self.context, "url": url, "wait": "complete"})
        if ready:
            wait_for(lambda: self.js("document.documentElement.dataset.ready") == "1", 10, "page ready")

    def js(self, expression):
        """The expression's value (a promise awaited), as JSON-like Python."""
        reply = self.send("script.evaluate", {
            "expression": expression, "target": {"context": self.context}, "awaitPromise": True,
            "resultOwnership": "none"})
        if reply.get("type") == "exception":
            raise BiDiError(reply["exceptionDetails"].get("text", "script failed"))
        return _bidi_value(reply["result"])

    def element(self, selector):
        """A shared reference to the page's element, for input actions."""
        reply = self.send("script.evaluate", {
            "expression": f"document.querySelector({json.dumps(selector)})",
            "target": {"context": self.context}, "awaitPromise": False, "resultOwnership": "root"})
        return {"sharedId": reply["result"]["sharedId"]}

    def click(self, selector):
        origin = {"type": "element", "element": self.element(selector)}
        self.send("input.performActions", {"context": self.context, "actions": [{
            "type": "pointer", "id": "mouse", "parameters": {"pointerType": "mouse"}, "actions": [
                {"type": "pointerMove", "x": 0, "y": 0, "origin": origin},
                {"type": "pointerDown", "button": 0}, {"type": "pointerUp", "button": 0}]}]})

    def keys(self, *keys):
        actions = []
        for key in keys:
            actions += [{"type": "keyDown", "value": key}, {"type": "keyUp", "value": key}]
        self.send("input.performActions", {"context": self.context, "actions": [
            {"type": "key", "id": "keyboard", "actions": actions}]})

    def take_download(self, name, seconds=10):
        path = os.path.join(self.downloads, name)
        wait_for(lambda: os.path.exists(path) and os.path.getsize(path) > 0
                 and not os.path.exists(path + ".part"), seconds, f"download of {name}")
        time.sleep(0.1)
        with open(path, "rb") as file:
            data = file.read()
        os.remove(path)
        return data


def _bidi_value(remote):
    kind = remote.get("type")
    value = remote.get("value")
    if kind in ("undefined", "null"):
        return None
    if kind == "array":
        return [_bidi_value(item) for item in value]
    if kind == "object":
        return {key if isinstance(key, str) else _bidi_value(key): _bidi_value(item) for key, item in value}
    if kind == "number" and isinstance(value, str):
        return {"NaN": float("nan"), "-0": -0.0, "Infinity": float("inf"), "-Infinity": float("-inf")}[value]
    return value


# WebDriver's key values, for Firefox's input actions.
FIREFOX_KEYS = {"F10": "\ue03a", "Enter": "\ue007", "Escape": "\ue00c", "Tab": "\ue004",
                "ArrowDown": "\ue015", "ArrowUp": "\ue013", "ArrowLeft": "\ue012", "ArrowRight": "\ue014",
                "Shift": "\ue008", "Alt": "\ue00a"}
CHROMIUM_KEYS = {"F10": Keys.F10, "Enter": Keys.ENTER, "Escape": Keys.ESCAPE, "Tab": Keys.TAB,
                 "ArrowDown": Keys.ARROW_DOWN, "ArrowUp": Keys.ARROW_UP, "ArrowLeft": Keys.ARROW_LEFT,
                 "ArrowRight": Keys.ARROW_RIGHT}


def file_url(path):
    return "file://" + urllib.parse.quote(os.path.abspath(path))

