#!/usr/bin/python3
"""The page in real browsers: headless Chromium for every check, Firefox ESR for
the first automatic run and the report's download. The native layer's answers for
the same steps (web_native_runs) are what the page must show and save.

  tests/web/page_check.py [--web build-web] [--native build/tests/web_native_runs]
                          [--browsers chromium,firefox] [--screenshots DIR]

One line a check, then "N passed, N failed"; the exit code is 1 on a failure.
"""

import argparse
import json
import os
import subprocess
import sys
import traceback

sys.dont_write_bytecode = True  # nothing left in the checkout
from browser import (CHROMIUM_KEYS, FIREFOX_KEYS, Chromium, Firefox, StaticServer, Timeout, ax_nodes,
                     ax_property, file_url, foreign_requests, wait_for)

# The layer's ids: menu commands (commandid.h) and the settings' controls (SettingsForm::Id).
SETTINGS, START, SAVE, QUIT, ABOUT = 40009, 40004, 40013, 40002, 40012
OK, CANCEL, TARGET_SHOTS, AUTO_STOP, DIMENSIONS, RADIUS = 1, 2, 1008, 1010, 1011, 1012
FIELD_OF = {"targetShots": TARGET_SHOTS, "dimensions": DIMENSIONS, "radius": RADIUS}

# What the page is put through in Chromium, in order, as native steps.
RUNS = [
    ("first automatic run", None),
    ("second automatic run", None),
    ("manual run of 50000", {"autoStop": "0", "targetShots": "50000"}),
    ("run in ten dimensions", {"dimensions": "10"}),
]
# Each settings warning, by the entry that draws it; every other field as shown.
WARNINGS = [
    ("too many points", {"autoStop": "0", "targetShots": "99999999999999999999"}),
    ("too few dimensions", {"dimensions": "0"}),
    ("radius too large", {"radius": "32001"}),
    ("radius too small", {"radius": "0"}),
]
SCREENS = [  # CSS size, ratio, phone or tablet, loaded anew; the tablet turned twice
    ("desktop at ratio 1", 1280, 800, 1, False, True),
    ("desktop at ratio 2", 1280, 800, 2, False, True),
    ("desktop at ratio 3", 1280, 800, 3, False, True),
    ("tablet in portrait", 768, 1024, 2, True, False),
    ("tablet turned to landscape", 1024, 768, 2, True, False),
    ("tablet turned back to portrait", 768, 1024, 2, True, False),
    ("phone", 390, 844, 3, True, False),
]


class Checks:
    """Named checks, one line each; a failure is told with its reason and the rest go on."""

    def __init__(self):
        self.passed = 0
        self.failed = 0

    def run(self, name, check, *args):
        try:
            problem = check(*args)
        except Exception as error:  # a check that throws fails with its cause
            problem = f"{type(error).__name__}: {error}"
            if not isinstance(error, (Timeout, AssertionError)):
                problem += "\n" + "".join(traceback.format_exc(limit=3))
        if problem:
            self.failed += 1
            print(f"FAIL {name}: {problem}", flush=True)
        else:
            self.passed += 1
            print(f"ok   {name}", flush=True)


def native(program, steps):
    """The native layer's answer to each step, in order."""
    output = subprocess.run([program, *steps], capture_output=True, text=True, check=True).stdout
    return [json.loads(line) for line in output.splitlines()]


def settings_step(entries):
    return "set:" + ",".join(f"{field}={text}" for field, text in entries.items())


def differ(what, got, expected):
    return None if got == expected else f"{what}: got {got!r}, expected {expected!r}"


class Page:
    """The page's contract, the same in either browser: evaluate() takes an
    expression, click() and keys() act as a user would."""

    def __init__(self, browser):
        self.browser = browser
        self.chromium = isinstance(browser, Chromium)

    def eval(self, expression):
        if self.chromium:
            return self.browser.js("return (" + expression + ");")
        return self.browser.js(expression)

    def click(self, selector):
        if self.chromium:
            self.browser.driver.find_element("css selector", selector).click()
        else:
            self.browser.click(selector)

    def keys(self, *names):
        table = CHROMIUM_KEYS if self.chromium else FIREFOX_KEYS
        self.browser.keys(*(table.get(name, name) for name in names))

    def command(self, command):
        self.click(f'#menubar [data-command="{command}"]')

    def open_dialog(self, name):
        return self.eval(f"document.querySelector('dialog#{name}').open")

    def focused_control(self):
        return self.eval("document.activeElement && document.activeElement.dataset.control")

    def reading(self):
        return self.eval("[...document.querySelector('#status-reading').children].map(e => e.textContent)")

    def page_texts(self):
        """The status page's texts, by line and then place."""
        texts = self.eval("[...document.querySelectorAll('#status-page [data-at]')]"
                          ".map(e => [...e.dataset.at.split(',').map(Number), e.textContent])")
        return [text for _, _, text in sorted(texts, key=lambda t: (t[1], t[0]))]

    def message_text(self):
        return self.eval("[...document.querySelectorAll('dialog#message .text p')].map(p => p.textContent).join('\\n')")

    def announced(self):
        return self.eval("document.querySelector('#announce').textContent")

    def set_fields(self, entries):
        """The settings dialog's fields as given, then OK."""
        self.command(SETTINGS)
        wait_for(lambda: self.open_dialog("settings"), 5, "the settings dialog")
        for field, text in entries.items():
            if field == "autoStop":
                if bool(self.eval(f"document.querySelector('[data-control=\"{AUTO_STOP}\"]').checked")) != (text == "1"):
                    self.click(f'[data-control="{AUTO_STOP}"]')
                continue
            self.eval(f"""(() => {{ const f = document.querySelector('[data-control="{FIELD_OF[field]}"]');
                f.value = {json.dumps(text)}; f.dispatchEvent(new Event('input', {{bubbles: true}})); }})()""")
        self.click(f'dialog#settings [data-control="{OK}"]')

    def run_to_end(self, expected):
        """Start, then the status page until it reads as the native one at the run's end."""
        self.command(START)
        lines = expected["reading"].split("\n")
        try:
            wait_for(lambda: self.reading() == lines, 20, "the run's end")
        except Timeout:
            return differ("status read at the end", self.reading(), lines)
        return None


def run_checks(page, expected):
    """The run's status page, its reading and its announcement against the native ones."""
    problem = page.run_to_end(expected)
    if problem:
        return problem
    page_texts = [t["text"] for t in sorted(expected["page"], key=lambda t: (t["line"], t["x"]))]
    problem = differ("status page", page.page_texts(), page_texts)
    try:  # the region is emptied first, so that the same sentence twice is told twice
        wait_for(lambda: page.announced() == expected["ended"], 2, "the announcement")
    except Timeout:
        problem = problem or differ("announced at the end", page.announced(), expected["ended"])
    return problem


def save_checks(page, browser, expected):
    page.command(SAVE)
    data = browser.take_download("mc_result.txt")
    want = bytes.fromhex(expected["report"])
    if data != want:
        return f"report differs:\n  got      {data!r}\n  expected {want!r}"
    wait_for(lambda: page.open_dialog("message"), 5, "the confirmation")
    problem = differ("confirmation", page.message_text(), expected["message"]["text"])
    page.click("dialog#message button")
    return problem


def warning_check(page, refusal):
    page.set_fields(refusal["entries"])
    wait_for(lambda: page.open_dialog("message"), 5, "the warning")
    problem = differ("warning", page.message_text(), refusal["warning"]["text"])
    page.keys("Enter")
    wait_for(lambda: not page.open_dialog("message"), 5, "the warning closed")
    want = str(refusal["focus"])
    try:  # the box's close event, which hands the focus on, follows its closing
        wait_for(lambda: page.focused_control() == want, 2, "the refused field focused")
    except Timeout:
        problem = problem or differ("focused after the warning", page.focused_control(), want)
    page.click(f'dialog#settings [data-control="{CANCEL}"]')
    wait_for(lambda: not page.open_dialog("settings"), 5, "the settings closed")
    return problem


def about_check(page, about):
    page.command(ABOUT)
    wait_for(lambda: page.open_dialog("about"), 5, "the about dialog")
    shown = page.eval("document.querySelector('dialog#about').innerText")
    missing = [text for text in about["texts"] if text != about["home"] and text not in shown]
    if missing:
        return f"texts missing: {missing!r} in {shown!r}"
    problem = differ("focused when opened", str(page.focused_control()), str(OK))
    page.keys("Escape")  # the about box ignores Escape
    problem = problem or (None if page.open_dialog("about") else "Escape closed it")
    page.keys("Enter")
    wait_for(lambda: not page.open_dialog("about"), 5, "the about dialog closed by Enter on OK")
    return problem


def menu_focus(page):
    return page.eval("document.activeElement.closest('#menubar') ? document.activeElement.dataset.command : null")


def keyboard_check(page, menu):
    """F10 to the menu bar, the arrows over it (dividers stepped over), Enter to
    choose, Tab in the dialog, Escape out of dialog and menu bar."""
    commands = [str(item["id"]) for item in menu["items"] if not item["divider"]]
    page.eval("document.activeElement && document.activeElement.blur()")
    page.keys("F10")
    problem = differ("F10", menu_focus(page), commands[0])
    page.keys("ArrowRight")
    problem = problem or differ("ArrowRight", menu_focus(page), commands[1])
    page.keys("ArrowLeft")
    problem = problem or differ("ArrowLeft", menu_focus(page), commands[0])
    page.keys("ArrowLeft")
    problem = problem or differ("ArrowLeft from the first", menu_focus(page), commands[-1])
    page.keys("ArrowRight")
    page.keys("Enter")
    if problem:
        return problem
    wait_for(lambda: page.open_dialog("settings"), 5, "the settings by Enter")
    first = page.focused_control()
    page.keys("Tab")
    second = page.focused_control()
    if not first or not second or first == second:
        return f"Tab in the settings moved the focus from {first!r} to {second!r}"
    page.keys("Escape")
    wait_for(lambda: not page.open_dialog("settings"), 5, "the settings closed by Escape")
    page.keys("F10")
    page.keys("Escape")
    return None if menu_focus(page) is None else "Escape left the focus in the menu bar"


def tap_check(page, browser):
    browser.touch(True)
    try:
        item = browser.driver.find_element("css selector", f'#menubar [data-command="{ABOUT}"]')
        browser.tap(item)
        wait_for(lambda: page.open_dialog("about"), 5, "the about dialog by a tap")
        browser.tap(browser.driver.find_element("css selector", f'dialog#about [data-control="{OK}"]'))
        wait_for(lambda: not page.open_dialog("about"), 5, "the about dialog closed by a tap")
    finally:
        browser.touch(False)


# The shot pane's picture: the figure's backing store and the colours it holds,
# and where the panes lie in the area below the menu bar.
CANVAS = """(() => {
  const figure = document.querySelector('canvas#figure');
  const box = figure.getBoundingClientRect();
  const client = document.querySelector('#client').getBoundingClientRect();
  const pane = document.querySelector('#shot-pane').getBoundingClientRect();
  const status = document.querySelector('#status').getBoundingClientRect();
  const data = figure.getContext('2d').getImageData(0, 0, figure.width, figure.height).data;
  const colours = {};
  for (let i = 0; i < data.length; i += 4) {
    const colour = (data[i] << 16 | data[i + 1] << 8 | data[i + 2]).toString(16).padStart(6, '0');
    colours[colour] = (colours[colour] || 0) + 1;
  }
  return {width: figure.width, height: figure.height, cssWidth: box.width, cssHeight: box.height,
          pane: [pane.left - client.left, pane.top - client.top, pane.width, pane.height],
          statusLeft: status.left - client.left, area: [Math.floor(client.width), Math.floor(client.height)],
          overflow: document.documentElement.scrollWidth > document.documentElement.clientWidth,
          colours: colours};
})()"""


def screen_check(page, browser, native_program, width, height, ratio, mobile, reload, shots=None):
    """The page on a screen of that size and ratio: the figure drawn in device
    pixels in its pen and paper only, the panes where the layer splits them."""
    browser.screen(width, height, ratio, mobile)
    if reload:  # a ratio alone does not reach the page's media query under emulation
        browser.driver.refresh()
        browser.wait_ready()
    wait_for(lambda: page.eval("devicePixelRatio") == ratio, 5, "the ratio")
    try:
        wait_for(lambda: (lambda c: c["area"] == [width, c["area"][1]] and c["width"] == round(c["cssWidth"] * ratio))(
            page.eval(CANVAS)), 3, "the figure at the new size")
    except Timeout:
        pass
    state = page.eval(CANVAS)
    if shots:
        browser.screenshot(shots)
    problems = []
    if state["width"] != round(state["cssWidth"] * ratio) or state["height"] != round(state["cssHeight"] * ratio):
        problems.append(f"backing store {state['width']}x{state['height']} for CSS {state['cssWidth']}x"
                        f"{state['cssHeight']} at ratio {ratio}")
    others = {colour: count for colour, count in state["colours"].items() if colour not in ("000000", "ffffff")}
    if others:
        problems.append(f"{sum(others.values())} pixels neither pen nor paper (blurred outline), e.g. "
                        f"{sorted(others, key=others.get, reverse=True)[:4]}")
    if state["overflow"]:
        problems.append("the page scrolls sideways")
    area_width, area_height = state["area"]
    panes = native(native_program, [f"layout:{area_width},{area_height}"])[0]
    shots_pane = [panes["shots"][0], panes["shots"][1], panes["shots"][2], panes["shots"][3]]
    if [round(v) for v in state["pane"]] != shots_pane or round(state["statusLeft"]) != panes["status"][0]:
        problems.append(f"shot pane at {state['pane']}, status from {state['statusLeft']}; "
                        f"the layer: {panes} for {area_width}x{area_height}")
    return "; ".join(problems) or None


def ax_check(page, browser, menu, run):
    nodes = browser.ax_tree()
    bars = ax_nodes(nodes, "menubar")
    if len(bars) != 1:
        return f"{len(bars)} menubars"
    names = [node.get("name", {}).get("value") for node in ax_nodes(nodes, "menuitem")]
    want = [item["name"] for item in menu["items"] if not item["divider"]]
    problem = differ("menu items", names, want)
    problem = problem or differ("separators", len(ax_nodes(nodes, "separator")),
                                sum(item["divider"] for item in menu["items"]))
    live = [node for node in nodes if ax_property(node, "live") == "polite"]
    problem = problem or (None if live else "no polite live region")
    statistics = ax_nodes(nodes, name=menu["statusName"])
    texts = {node.get("name", {}).get("value") for node in ax_nodes(nodes)}
    lines = [line for line in run["reading"].split("\n") if line not in texts]
    problem = problem or (None if statistics else f"no node named {menu['statusName']!r}")
    problem = problem or (f"statistics lines not in the tree: {lines!r}" if lines else None)
    shots = ax_nodes(nodes, name=menu["shotName"])
    described = [node.get("description", {}).get("value") for node in shots]
    problem = problem or differ(f"{menu['shotName']} described", described, [run["shotPane"]])
    if problem:
        return problem
    for command, name, role in ((SETTINGS, "settings", "dialog"), (ABOUT, "about", "dialog")):
        page.command(command)
        wait_for(lambda: page.open_dialog(name), 5, f"the {name} dialog")
        found = ax_nodes(browser.ax_tree(), role)
        page.keys("Enter" if name == "about" else "Escape")
        wait_for(lambda: not page.open_dialog(name), 5, f"the {name} dialog closed")
        if not found:
            return f"no {role} in the tree while {name} is open"
    page.command(SAVE)
    wait_for(lambda: page.open_dialog("message"), 5, "the save's box")
    found = ax_nodes(browser.ax_tree(), "alertdialog")
    page.keys("Enter")
    wait_for(lambda: not page.open_dialog("message"), 5, "the box closed")
    browser.take_download("mc_result.txt")
    return None if found else "no alertdialog in the tree while the box is open"


def offline_check(page, browser, server):
    wait_for(lambda: page.eval("!!navigator.serviceWorker.controller"), 10, "the service worker in control")
    server.stop()
    # Without the HTTP cache, which would otherwise answer the reload by itself.
    browser.cdp("Network.setCacheDisabled", {"cacheDisabled": True})
    try:
        browser.driver.refresh()
        browser.wait_ready()
    finally:
        browser.cdp("Network.setCacheDisabled", {"cacheDisabled": False})
    return None


def single_file_check(page, browser, web, run):
    browser.forget_requests()
    browser.open(file_url(os.path.join(web, "monte-carlo.html")))
    problem = run_checks(page, run)
    foreign = foreign_requests(browser.requests(), None)
    return problem or (f"requests: {foreign}" if foreign else None)


def quit_check(page, ending):
    page.command(QUIT)
    wait_for(lambda: page.eval("!document.querySelector('#ended').hidden"), 5, "the ended notice")
    shown = page.eval("document.querySelector('#ended').innerText")
    missing = [text for text in (ending["title"], ending["text"]) if text not in shown]
    return f"missing {missing!r} in {shown!r}" if missing else None


def chromium_checks(checks, args, answers):
    browser = Chromium()
    server = StaticServer(os.path.join(args.web, "site"))
    page = Page(browser)
    shots = (lambda name: os.path.join(args.screenshots, name + ".png")) if args.screenshots else (lambda name: None)
    try:
        browser.open(server.origin + "/index.html")
        results = iter(answers["chromium"])
        runs = []
        for name, entries in RUNS:
            if entries:
                page.set_fields(entries)
                wait_for(lambda: not page.open_dialog("settings"), 5, "the settings accepted")
                next(results)
            runs.append(next(results))
            checks.run(f"chromium: {name}", run_checks, page, runs[-1])
            if entries:
                checks.run(f"chromium: {name}, its report", save_checks, page, browser, next(results))
        checks.run("chromium: accessibility tree", ax_check, page, browser, answers["names"], runs[-1])
        for name, entries in WARNINGS:
            refusal = dict(next(results)["refusal"] or {"warning": {}, "focus": None}, entries=entries)
            checks.run(f"chromium: warning {name}, its field focused", warning_check, page, refusal)
        about, ending, menu = next(results), next(results), answers["names"]
        checks.run("chromium: about dialog", about_check, page, about)
        checks.run("chromium: keyboard alone", keyboard_check, page, menu)
        checks.run("chromium: a tap", tap_check, page, browser)
        for name, width, height, ratio, mobile, reload in SCREENS:
            checks.run(f"chromium: {name}", screen_check, page, browser, args.native, width, height, ratio, mobile,
                       reload, shots(name.replace(" ", "-")))
        browser.plain_screen()
        checks.run("chromium: no request to another origin",
                   lambda: foreign_requests(browser.requests(), server.origin) or None)
        checks.run("chromium: offline reload through the service worker", offline_check, page, browser, server)
        checks.run("chromium: the single file from file://", single_file_check, page, browser, args.web,
                   answers["chromium"][0])
        checks.run("chromium: Beenden", quit_check, page, ending)
    finally:
        browser.close()
        server.stop()


def firefox_checks(checks, args, answers):
    browser = Firefox()
    server = StaticServer(os.path.join(args.web, "site"))
    page = Page(browser)
    try:
        browser.open(server.origin + "/index.html")
        run, report = answers["firefox"]
        checks.run("firefox: first automatic run", run_checks, page, run)
        checks.run("firefox: its report", save_checks, page, browser, report)
        browser.open(file_url(os.path.join(args.web, "monte-carlo.html")))
        checks.run("firefox: the single file from file://, first automatic run", run_checks, page, run)
    finally:
        browser.close()
        server.stop()


def native_steps(program):
    chromium = []
    for _, entries in RUNS:
        chromium += [settings_step(entries)] if entries else []
        chromium += ["run"] + (["save"] if entries else [])
    chromium += [settings_step(entries) for _, entries in WARNINGS]
    chromium += ["about", "quit"]
    return {"chromium": native(program, chromium), "firefox": native(program, ["run", "save"]),
            "names": native(program, ["names"])[0]}


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--web", default="build-web", help="the web build: site/ and monte-carlo.html")
    parser.add_argument("--native", default="build/tests/web_native_runs", help="the native layer's answers")
    parser.add_argument("--browsers", default="chromium,firefox")
    parser.add_argument("--screenshots", help="a folder for a screenshot of every screen at every ratio")
    args = parser.parse_args()
    if args.screenshots:
        os.makedirs(args.screenshots, exist_ok=True)

    checks = Checks()
    try:
        steps = native_steps(args.native)
    except (OSError, subprocess.CalledProcessError) as error:
        print(f"FAIL the native layer's answers ({args.native}): {error}\n0 passed, 1 failed")
        return 1
    for name, run_all in (("chromium", chromium_checks), ("firefox", firefox_checks)):
        if name in args.browsers.split(","):
            try:
                run_all(checks, args, steps)
            except Exception as error:  # the browser or the page did not start: its checks did not run
                checks.failed += 1
                print(f"FAIL {name}: stopped: {type(error).__name__}: {error}", flush=True)
    print(f"{checks.passed} passed, {checks.failed} failed")
    return 1 if checks.failed or not checks.passed else 0


if __name__ == "__main__":
    sys.exit(main())
