#!/usr/bin/python3
"""Prints what a screen reader finds of a running program on the accessibility bus.

One line per accessible object, indented by depth:
    role<TAB>name<TAB>description<TAB>text
with line breaks and tabs inside a field written as \\n and \\t. Run it with Debian's
/usr/bin/python3 (it has pyatspi) in the session of the program, for instance
    /usr/bin/python3 scripts/atspi-dump.py monte-carlo
Waits up to ten seconds for the application: a program started before the
accessibility bus joins it only once the bus is up. Exits 1 when no
application of that name appears.
"""

import sys
import time

import pyatspi


def flat(value):
    return (value or "").replace("\\", "\\\\").replace("\n", "\\n").replace("\t", "\\t")


def text_of(accessible):
    try:
        text = accessible.queryText()
    except NotImplementedError:
        return ""
    return text.getText(0, text.characterCount)


def dump(accessible, depth=0):
    fields = [accessible.getRoleName(), accessible.name, accessible.description,
              text_of(accessible)]
    print("  " * depth + "\t".join(flat(field) for field in fields))
    for child in accessible:
        if child is not None:
            dump(child, depth + 1)


def main():
    wanted = sys.argv[1] if len(sys.argv) > 1 else "monte-carlo"
    deadline = time.monotonic() + 10
    while True:
        desktop = pyatspi.Registry.getDesktop(0)
        applications = [app for app in desktop if app is not None and app.name == wanted]
        if applications or time.monotonic() > deadline:
            break
        time.sleep(0.2)
    if not applications:
        print(f"{wanted}: not on the accessibility bus", file=sys.stderr)
        return 1
    for application in applications:
        dump(application)
    return 0


if __name__ == "__main__":
    sys.exit(main())
