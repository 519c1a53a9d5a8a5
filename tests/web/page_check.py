#!/usr/bin/python3
"""The page in real browsers: headless Chromium for every check, Firefox ESR for
the first automatic run and the report's download. The native layer's answers for
the same steps (web_native_runs) are what the page must show and save.

  tests/web/page_check.py [--web build-web] [--native build/tests/web_native_runs]

One line a check, then "N passed, N failed"; the exit code is 1 on a failure.
"""

import argparse
import collections
import contextlib
import json
import os
import pathlib
import subprocess
import sys
import traceback

sys.dont_write_bytecode = True  # nothing left in the checkout
from selenium.webdriver.common.keys import Keys
from selenium.common.exceptions import TimeoutException
from browser import Chromium, Firefox, StaticServer, wait_for

# The layer's ids: menu commands (commandid.h) and the settings' controls (SettingsForm::Id).
SETTINGS, START, SAVE, QUIT, ABOUT = 40009, 40004, 40013, 40002, 40012
OK, CANCEL, AUTO_STOP = 1, 2, 1010
FIELD_OF = {"targetShots": 1008, "dimensions": 1011, "radius": 1012}

# What the page is put through in Chromium, in order, as native steps.
RUNS = [
    ("first automatic run", None),
    ("second automatic run", None),
    ("manual run of 50000", {"autoStop": "0", "targetShots": "50000"}),
]
# Each settings warning, by the entry that draws it; every other field as shown.
WARNINGS = [
    ("too many points", {"autoStop": "0", "targetShots": "99999999999999999999"}),
    ("too few dimensions", {"dimensions": "0"}),
    ("radius too large", {"radius": "32001"}),
]
SCREENS = [  # CSS size, ratio, phone or tablet, loaded anew; the tablet turned twice
    ("desktop at ratio 1", 1280, 800, 1, False, True),
    ("desktop at ratio 2", 1280, 800, 2, False, True),
    ("tablet in portrait", 768, 1024, 2, True, False),
    ("tablet turned to landscape", 1024, 768, 2, True, False),
    ("tablet turned back to portrait", 768, 1024, 2, True, False),
    ("phone", 390, 844, 3, True, False),
]
# Where a page's own origin ends: requests to these never leave the device.
LOCAL_SCHEMES = ("data:", "blob:", "file:", "about:")


results = collections.Counter()


def check(name, probe, *args):
    """A named check, one line; a failure is told with its reason and the rest go on."""
    try:
        problem = probe(*args)
    except TimeoutException as error:
        problem = error.msg
    except Exception:  # a check that throws fails with its cause
        problem = traceback.format_exc(limit=3)
    results["failed" if problem else "passed"] += 1
    print(f"FAIL {name}: {problem}" if problem else f"ok   {name}", flush=True)


def native(program, steps):
    """The native layer's answer to each step, in order."""
    output = subprocess.run([program, *steps], capture_output=True, text=True, check=True).stdout
    return [json.loads(line) for line in output.splitlines()]


def differ(what, got, expected):
    return None if got == expected else f"{what}: got {got!r}, expected {expected!r}"


def settles(what, probe, expected, seconds):
    """None once the probe answers as expected within the time, else how it differs."""
    try:
        wait_for(lambda: probe() == expected, seconds, what)
        return None
    except TimeoutException:
        return differ(what, probe(), expected)


def single_file(web):
    return pathlib.Path(web, "monte-carlo.html").resolve().as_uri()


def command(browser, command):
    browser.click(f'#menubar [data-command="{command}"]')


def is_open(browser, name):
    return browser.eval(f"document.querySelector('dialog#{name}').open")


def await_dialog(browser, name, shown=True):
    wait_for(lambda: is_open(browser, name) == shown, 5, f"dialog#{name} {'open' if shown else 'closed'}")


def focused_control(browser):
    return browser.eval("document.activeElement && document.activeElement.dataset.control")


def message_text(browser):
    return browser.eval("[...document.querySelectorAll('dialog#message .text p')].map(p => p.textContent).join('\\n')")


def set_fields(browser, entries):
    """The settings dialog's fields as given, then OK."""
    command(browser, SETTINGS)
    await_dialog(browser, "settings")
    for field, text in entries.items():
        if field == "autoStop":
            if browser.eval(f"document.querySelector('[data-control=\"{AUTO_STOP}\"]').checked") != (text == "1"):
                browser.click(f'[data-control="{AUTO_STOP}"]')
            continue
        browser.eval(f"""(() => {{ const f = document.querySelector('[data-control="{FIELD_OF[field]}"]');
            f.value = {json.dumps(text)}; f.dispatchEvent(new Event('input', {{bubbles: true}})); }})()""")
    browser.click(f'dialog#settings [data-control="{OK}"]')


def run_checks(browser, expected):
    """Start; at the run's end the status page, its reading and its announcement against the native ones."""
    command(browser, START)
    reading = "[...document.querySelector('#status-reading').children].map(e => e.textContent)"
    problem = settles("status read at the end", lambda: browser.eval(reading), expected["reading"].split("\n"), 20)
    if problem:
        return problem
    # Each text at its place, row by row: [y, x, text] here, [line, x, text] in the layer.
    shown = browser.eval("[...document.querySelectorAll('#status-page [data-at]')]"
                         ".map(e => [...e.dataset.at.split(',').map(Number).reverse(), e.textContent])")
    texts = [text for *_, text in sorted(shown)]
    want = [text for *_, text in sorted(expected["page"])]
    # The live region's two lines take the sentences in turn: the end is the one told last.
    announced = "[...document.querySelector('#announce').children].map(e => e.textContent)"
    told = lambda: expected["ended"] if expected["ended"] in browser.eval(announced) else browser.eval(announced)
    return differ("status page", texts, want) or settles("announced at the end", told, expected["ended"], 2)


def save_checks(browser, expected):
    command(browser, SAVE)
    problem = differ("report", browser.take_download("mc_result.txt"), bytes.fromhex(expected["report"]))
    await_dialog(browser, "message")
    problem = problem or differ("confirmation", message_text(browser), expected["message"])
    browser.click("dialog#message button")
    return problem


def warning_check(browser, entries, expected):
    set_fields(browser, entries)
    await_dialog(browser, "message")
    problem = differ("warning", message_text(browser), expected["warning"])
    browser.keys(Keys.ENTER)
    await_dialog(browser, "message", False)
    # The box's close event, which hands the focus on, follows its closing.
    want = str(expected["focus"])
    problem = problem or settles("focused after the warning", lambda: focused_control(browser), want, 2)
    browser.click(f'dialog#settings [data-control="{CANCEL}"]')
    await_dialog(browser, "settings", False)
    return problem


def about_check(browser, about):
    command(browser, ABOUT)
    await_dialog(browser, "about")
    shown = browser.eval("document.querySelector('dialog#about').innerText")
    missing = [text for text in about["texts"] if text not in shown]
    if missing:
        return f"texts missing: {missing!r} in {shown!r}"
    problem = differ("focused when opened", focused_control(browser), str(OK))
    browser.keys(Keys.ESCAPE)  # the about box ignores Escape
    problem = problem or (None if is_open(browser, "about") else "Escape closed it")
    browser.keys(Keys.ENTER)
    await_dialog(browser, "about", False)
    return problem


def menu_focus(browser):
    return browser.eval("document.activeElement.closest('#menubar') ? document.activeElement.dataset.command : null")


def keyboard_check(browser, menu):
    """F10 to the menu bar, the arrows over it (dividers stepped over), Enter to
    choose, Tab in the dialog, Escape out of dialog and menu bar."""
    commands = [str(item["id"]) for item in menu["items"] if not item["divider"]]
    browser.eval("document.activeElement && document.activeElement.blur()")
    problem = None
    for key, name, want in ((Keys.F10, "F10", 0),
                            (Keys.ARROW_RIGHT, "ArrowRight", 1),
                            (Keys.ARROW_LEFT, "ArrowLeft", 0),
                            (Keys.ARROW_LEFT, "ArrowLeft from the first", -1)):
        browser.keys(key)
        problem = problem or differ(name, menu_focus(browser), commands[want])
    if problem:
        return problem
    browser.keys(Keys.ARROW_RIGHT, Keys.ENTER)
    await_dialog(browser, "settings")
    first = focused_control(browser)
    browser.keys(Keys.TAB)
    second = focused_control(browser)
    if not first or not second or first == second:
        return f"Tab in the settings moved the focus from {first!r} to {second!r}"
    browser.keys(Keys.ESCAPE)
    await_dialog(browser, "settings", False)
    browser.keys(Keys.F10, Keys.ESCAPE)
    return None if menu_focus(browser) is None else "Escape left the focus in the menu bar"


def tap_check(browser):
    browser.cdp("Emulation.setTouchEmulationEnabled", {"enabled": True})
    try:
        browser.tap(f'#menubar [data-command="{ABOUT}"]')
        await_dialog(browser, "about")
        browser.tap(f'dialog#about [data-control="{OK}"]')
        await_dialog(browser, "about", False)
    finally:
        browser.cdp("Emulation.setTouchEmulationEnabled", {"enabled": False})


# The shot pane's picture: the figure's backing store and its pixels neither pen nor paper,
# and where the panes lie in the area below the menu bar.
CANVAS = """(() => {
  const figure = document.querySelector('canvas#figure');
  const box = figure.getBoundingClientRect();
  const client = document.querySelector('#client').getBoundingClientRect();
  const pane = document.querySelector('#shot-pane').getBoundingClientRect();
  const status = document.querySelector('#status').getBoundingClientRect();
  const data = figure.getContext('2d').getImageData(0, 0, figure.width, figure.height).data;
  let blurred = 0;
  for (let i = 0; i < data.length; i += 4) {
    const rgb = data[i] << 16 | data[i + 1] << 8 | data[i + 2];
    blurred += rgb !== 0 && rgb !== 0xffffff;
  }
  return {width: figure.width, height: figure.height, cssWidth: box.width, cssHeight: box.height,
          pane: [pane.left - client.left, pane.top - client.top, pane.width, pane.height].map(Math.round),
          statusLeft: Math.round(status.left - client.left), area: [Math.floor(client.width), Math.floor(client.height)],
          overflow: document.documentElement.scrollWidth > document.documentElement.clientWidth,
          blurred: blurred};
})()"""


def screen_problems(browser, native_program, width, ratio):
    state = browser.eval(CANVAS)
    problems = [] if state["area"][0] == width else [f"the area below the menu bar {state['area']} for {width}"]
    if state["width"] != round(state["cssWidth"] * ratio) or state["height"] != round(state["cssHeight"] * ratio):
        problems.append(f"backing store {state['width']}x{state['height']} for CSS {state['cssWidth']}x"
                        f"{state['cssHeight']} at ratio {ratio}")
    if state["blurred"]:
        problems.append(f"{state['blurred']} pixels neither pen nor paper (blurred outline)")
    if state["overflow"]:
        problems.append("the page scrolls sideways")
    panes = native(native_program, ["layout:{},{}".format(*state["area"])])[0]
    if state["pane"] != panes["shots"] or state["statusLeft"] != panes["status"][0]:
        problems.append(f"shot pane at {state['pane']}, status from {state['statusLeft']}; "
                        f"the layer: {panes} for {state['area']}")
    return problems


def screen_check(browser, native_program, width, height, ratio, mobile, reload):
    """The page on a screen of that size and ratio: the figure drawn in device
    pixels in its pen and paper only, the panes where the layer splits them."""
    browser.screen(width, height, ratio, mobile)
    if reload:  # a ratio alone does not reach the page's media query under emulation
        browser.reload()
    wait_for(lambda: browser.eval("devicePixelRatio") == ratio, 5, "the ratio")
    # The page follows the new size on its resize event, a little later.
    return settles("at this screen", lambda: screen_problems(browser, native_program, width, ratio), [], 3)


def ax_value(node, key):
    return node.get(key, {}).get("value")


def ax_tree(browser):
    """The accessibility tree's nodes, ignored ones left out."""
    browser.cdp("Accessibility.enable")
    return [node for node in browser.cdp("Accessibility.getFullAXTree")["nodes"] if not node.get("ignored")]


def ax_check(browser, menu, run):
    nodes = ax_tree(browser)
    roles = [ax_value(node, "role") for node in nodes]
    names = {ax_value(node, "name") for node in nodes}
    items = [ax_value(node, "name") for node in nodes if ax_value(node, "role") == "menuitem"]
    problem = differ("menubars", roles.count("menubar"), 1)
    problem = problem or differ("menu items", items, [item["name"] for item in menu["items"] if not item["divider"]])
    problem = problem or differ("separators", roles.count("separator"), sum(item["divider"] for item in menu["items"]))
    polite = {"name": "live", "value": {"type": "token", "value": "polite"}}
    live = [node for node in nodes if polite in node.get("properties", [])]
    problem = problem or (None if live else "no polite live region")
    problem = problem or (None if menu["statusName"] in names else f"no node named {menu['statusName']!r}")
    lines = [line for line in run["reading"].split("\n") if line not in names]
    problem = problem or (f"statistics lines not in the tree: {lines!r}" if lines else None)
    described = [ax_value(node, "description") for node in nodes if ax_value(node, "name") == menu["shotName"]]
    problem = problem or differ(f"{menu['shotName']} described", described, [run["shotPane"]])
    for opener, name, role, closer in ((SETTINGS, "settings", "dialog", Keys.ESCAPE),
                                       (ABOUT, "about", "dialog", Keys.ENTER),
                                       (SAVE, "message", "alertdialog", Keys.ENTER)):
        command(browser, opener)
        await_dialog(browser, name)
        roles = [ax_value(node, "role") for node in ax_tree(browser)]
        browser.keys(closer)
        await_dialog(browser, name, False)
        problem = problem or (None if role in roles else f"no {role} in the tree while {name} is open")
    return problem


def offline_check(browser, server):
    wait_for(lambda: browser.eval("!!navigator.serviceWorker.controller"), 10, "the service worker in control")
    server.stop()
    # Without the HTTP cache, which would otherwise answer the reload by itself.
    browser.cdp("Network.setCacheDisabled", {"cacheDisabled": True})
    browser.reload()


def foreign_requests(urls, origin=None):
    """The requested addresses that leave the page's origin."""
    own = LOCAL_SCHEMES + ((origin + "/",) if origin else ())
    return [url for url in urls if not url.startswith(own)] or None


def single_file_check(browser, web, run):
    browser.requests()  # forgets the served page's
    browser.open(single_file(web))
    return run_checks(browser, run) or foreign_requests(browser.requests())


def quit_check(browser, ending):
    command(browser, QUIT)
    wait_for(lambda: browser.eval("!document.querySelector('#ended').hidden"), 5, "the ended notice")
    shown = browser.eval("document.querySelector('#ended').innerText")
    missing = [text for text in (ending["title"], ending["text"]) if text not in shown]
    return f"missing {missing!r} in {shown!r}" if missing else None


@contextlib.contextmanager
def served(browser_class, web):
    """The browser at the folder build's page on a server of its own; both ended afterwards."""
    browser, server = browser_class(), StaticServer(os.path.join(web, "site"))
    try:
        browser.open(server.origin + "/index.html")
        yield browser, server
    finally:
        browser.close()
        server.stop()


def chromium_checks(args, answers):
    with served(Chromium, args.web) as (browser, server):
        chromium = iter(answers["chromium"])
        for name, entries in RUNS:
            if entries:
                set_fields(browser, entries)
                await_dialog(browser, "settings", False)
                next(chromium)  # the settings taken
            run = next(chromium)
            check(f"chromium: {name}", run_checks, browser, run)
            if entries:
                check(f"chromium: {name}, its report", save_checks, browser, next(chromium))
        check("chromium: accessibility tree", ax_check, browser, answers["names"], run)
        for name, entries in WARNINGS:
            check(f"chromium: warning {name}, its field focused", warning_check, browser, entries,
                       next(chromium)["refusal"])
        check("chromium: about dialog", about_check, browser, next(chromium))
        ending = next(chromium)
        check("chromium: keyboard alone", keyboard_check, browser, answers["names"])
        check("chromium: a tap", tap_check, browser)
        for name, *screen in SCREENS:
            check(f"chromium: {name}", screen_check, browser, args.native, *screen)
        browser.cdp("Emulation.clearDeviceMetricsOverride")
        check("chromium: no request to another origin", lambda: foreign_requests(browser.requests(), server.origin))
        check("chromium: offline reload through the service worker", offline_check, browser, server)
        check("chromium: the single file from file://", single_file_check, browser, args.web,
                   answers["chromium"][0])
        check("chromium: Beenden", quit_check, browser, ending)


def firefox_checks(args, answers):
    with served(Firefox, args.web) as (browser, _):
        run, report = answers["firefox"]
        check("firefox: first automatic run", run_checks, browser, run)
        check("firefox: its report", save_checks, browser, report)
        browser.open(single_file(args.web))
        check("firefox: the single file from file://, first automatic run", run_checks, browser, run)


def settings_step(entries):
    return "set:" + ",".join(f"{field}={text}" for field, text in entries.items())


def native_steps(program):
    chromium = []
    for _, entries in RUNS:
        chromium += [settings_step(entries), "run", "save"] if entries else ["run"]
    chromium += [settings_step(entries) for _, entries in WARNINGS]
    chromium += ["about", "quit"]
    return {"chromium": native(program, chromium), "firefox": native(program, ["run", "save"]),
            "names": native(program, ["names"])[0]}


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--web", default="build-web", help="the web build: site/ and monte-carlo.html")
    parser.add_argument("--native", default="build/tests/web_native_runs", help="the native layer's answers")
    args = parser.parse_args()
    try:
        answers = native_steps(args.native)
    except (OSError, subprocess.CalledProcessError) as error:
        print(f"FAIL the native layer's answers ({args.native}): {error}\n0 passed, 1 failed")
        return 1
    for name, run_all in (("chromium", chromium_checks), ("firefox", firefox_checks)):
        try:
            run_all(args, answers)
        except Exception as error:  # the browser or the page did not start: its checks did not run
            check(f"{name}: stopped", lambda: f"{type(error).__name__}: {error}")
    print(f"{results['passed']} passed, {results['failed']} failed")
    return 1 if results["failed"] or not results["passed"] else 0


if __name__ == "__main__":
    sys.exit(main())
