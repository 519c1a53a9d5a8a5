#!/usr/bin/python3
"""The page's figures: shots per second in headless Chromium against the Qt
program's (loop_bench) on the same machine, frame times during a run, the shipped
files' sizes plain and gzip-compressed, and the time to the first frame with the
CPU slowed four times. Prints figures, asserts nothing.

  bench/web_bench.py [--web build-web] [--loop-bench build/bench/loop_bench] [--seconds 3]
"""

import argparse
import gzip
import json
import os
import pathlib
import re
import statistics
import subprocess
import sys
import time

sys.dont_write_bytecode = True  # nothing left in the checkout
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
from browser import Chromium, StaticServer, wait_for  # noqa: E402

# Commands and controls by the ids the layer gives them.
SETTINGS, START, STOP = 40009, 40004, 40010
OK, TARGET_SHOTS, AUTO_STOP = 1, 1008, 1010

# Installed before the page's own scripts: the moment the page first paints
# after it says it is ready, and every frame's time while recording.
PROBE = """
window.__bench = {frames: []};
new MutationObserver((changes, observer) => {
  if (document.documentElement.dataset.ready !== '1') return;
  observer.disconnect();
  requestAnimationFrame(() => { window.__bench.firstFrame = performance.now(); });
}).observe(document, {attributes: true, subtree: true, attributeFilter: ['data-ready']});
"""


def sizes(web):
    """Each shipped file's bytes, plain and gzip-compressed (level 9, as a server would)."""
    rows = []
    site = os.path.join(web, "site")
    for folder, _, names in os.walk(site):
        for name in sorted(names):
            path = os.path.join(folder, name)
            data = open(path, "rb").read()
            rows.append((os.path.relpath(path, web), len(data), len(gzip.compress(data, 9))))
    single = os.path.join(web, "monte-carlo.html")
    if os.path.exists(single):
        data = open(single, "rb").read()
        rows.append(("monte-carlo.html", len(data), len(gzip.compress(data, 9))))
    return rows


def qt_rate(loop_bench, shots):
    if not loop_bench or not os.path.exists(loop_bench):
        return None, "loop_bench not built (cmake --build build --target loop_bench)"
    output = subprocess.run([loop_bench, str(shots)], capture_output=True, text=True, timeout=300,
                            env={**os.environ, "QT_QPA_PLATFORM": "offscreen"}).stdout
    found = re.search(r"shots per second \(every shot plotted\):\s*([0-9.]+)", output)
    return (float(found.group(1)), None) if found else (None, "no rate in loop_bench's output")


def menu(browser, command):
    browser.js(f"document.querySelector('[data-command=\"{command}\"]').click()")


def manual_run(browser, shots):
    """A manual run of that many shots, set through the settings dialog as a user would."""
    menu(browser, SETTINGS)
    wait_for(lambda: browser.js("return document.querySelector('dialog#settings').open"), 5, "settings")
    browser.js(f"""
      const box = document.querySelector('[data-control="{AUTO_STOP}"]');
      if (box.checked) box.click();
      const field = document.querySelector('[data-control="{TARGET_SHOTS}"]');
      field.value = '{shots}';
      field.dispatchEvent(new Event('input', {{bubbles: true}}));
      document.querySelector('dialog#settings [data-control="{OK}"]').click();""")
    wait_for(lambda: not browser.js("return document.querySelector('dialog#settings').open"), 5, "settings closed")
    menu(browser, START)


def shots_now(browser):
    """The shots on the visible status page (refreshed at 20 Hz; what a screen
    reader is told follows once a second) and the page's clock, read together."""
    return browser.js("""
      const cells = [...document.querySelectorAll('#status-page [data-at]')];
      const row = (cell) => cell.dataset.at.split(',')[1];
      const label = cells.find((cell) => cell.textContent.startsWith('geschossen'));
      const value = label && cells.find((cell) => cell !== label && row(cell) === row(label));
      return [value ? Number(value.textContent.trim()) : 0, performance.now()];""")


def page_rate(browser, seconds):
    first, begun = wait_for(lambda: (lambda s: s if s[0] > 0 else None)(shots_now(browser)), 5, "a run's first shots")
    browser.js("window.__bench.frames = []; window.__bench.recording = true;"
               "(function frame(t) { if (!window.__bench.recording) return;"
               " window.__bench.frames.push(t); requestAnimationFrame(frame); })(performance.now());")
    time.sleep(seconds)
    last, ended = shots_now(browser)
    frames = browser.js("window.__bench.recording = false; return window.__bench.frames")
    gaps = [b - a for a, b in zip(frames[1:], frames[2:])]
    return (last - first) / ((ended - begun) / 1000.0), gaps


def first_frame(browser, url):
    """Milliseconds from the navigation's start to the first frame after the page is ready."""
    browser.cdp("Emulation.setCPUThrottlingRate", {"rate": 4})
    try:
        browser.driver.get(url)
        return wait_for(lambda: browser.js("return window.__bench && window.__bench.firstFrame"), 30, "first frame")
    finally:
        browser.cdp("Emulation.setCPUThrottlingRate", {"rate": 1})


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--web", default="build-web", help="the web build (site/ and monte-carlo.html)")
    parser.add_argument("--loop-bench", default="build/bench/loop_bench", help="the Qt program's loop benchmark")
    parser.add_argument("--qt-shots", type=int, default=300000, help="shots of loop_bench's run")
    parser.add_argument("--seconds", type=float, default=3.0, help="how long the page's run is measured")
    args = parser.parse_args()

    print("shipped files (bytes):")
    rows = sizes(args.web)
    for name, plain, packed in rows:
        print(f"  {name:<40} {plain:>9} plain {packed:>9} gzip")
    site_plain = sum(plain for name, plain, _ in rows if name.startswith("site"))
    site_packed = sum(packed for name, _, packed in rows if name.startswith("site"))
    print(f"  {'site/ in all':<40} {site_plain:>9} plain {site_packed:>9} gzip "
          f"({site_packed / 1024:.1f} KB, goal <= 150 KB)")

    qt_before, why = qt_rate(args.loop_bench, args.qt_shots)
    server = StaticServer(os.path.join(args.web, "site"))
    browser = Chromium()
    try:
        browser.cdp("Page.addScriptToEvaluateOnNewDocument", {"source": PROBE})
        site = server.origin + "/index.html"
        first, again = [], []
        for _ in range(3):  # each a first visit: no cache, no service worker, then a second one
            browser.cdp("Network.clearBrowserCache")
            browser.cdp("Storage.clearDataForOrigin", {"origin": server.origin, "storageTypes": "all"})
            first.append(first_frame(browser, site))
            again.append(first_frame(browser, site))
        print(f"first frame, CPU slowed 4x, first visit (site/):  median {statistics.median(first):.0f} ms of "
              f"{', '.join(f'{t:.0f}' for t in first)} (goal < 1000 ms)")
        print(f"first frame, CPU slowed 4x, second visit (site/): median {statistics.median(again):.0f} ms")
        single = os.path.join(args.web, "monte-carlo.html")
        if os.path.exists(single):
            times = [first_frame(browser, pathlib.Path(single).resolve().as_uri()) for _ in range(3)]
            print(f"first frame, CPU slowed 4x, monte-carlo.html:     median {statistics.median(times):.0f} ms")

        browser.open(site)
        manual_run(browser, 9000000000000000)
        rate, gaps = page_rate(browser, args.seconds)
        menu(browser, STOP)
    finally:
        browser.close()
        server.stop()
    qt_after, _ = qt_rate(args.loop_bench, args.qt_shots)

    print(f"shots per second, Chromium (every shot plotted):  {rate:.0f}")
    if qt_before and qt_after:
        qt = (qt_before + qt_after) / 2
        print(f"shots per second, Qt program (loop_bench):        {qt:.0f} (before {qt_before:.0f}, after {qt_after:.0f})")
        print(f"ratio Chromium / Qt:                              {rate / qt:.2f} (goal 0.80 ... 1.25)")
    else:
        qt = None
        print(f"shots per second, Qt program:                     n/a ({why})")
    if gaps:
        ordered = sorted(gaps)
        print(f"frame time during a run: mean {statistics.fmean(gaps):.1f} ms, median {statistics.median(gaps):.1f} ms,"
              f" 95th percentile {ordered[int(0.95 * (len(ordered) - 1))]:.1f} ms, longest {ordered[-1]:.1f} ms"
              f" over {len(gaps)} frames")
    print(json.dumps({"page_rate": rate, "qt_rate": qt, "site_gzip": site_packed}))


if __name__ == "__main__":
    main()
