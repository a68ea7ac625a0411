#!/usr/bin/python3
"""Lists what a screen reader is told about the main window's controls, through AT-SPI.

Run by scripts/accessibility-check.sh, which starts a display, the accessibility bus and the
program. Every input, button and table must be announced by a name of its own; the script
prints each with its name and exits with status 1 when one is nameless or when two inputs
share a name.
"""
import sys
import time

import pyatspi

NAMED_ROLES = {
    pyatspi.ROLE_PUSH_BUTTON: "button",
    pyatspi.ROLE_TEXT: "input",
    pyatspi.ROLE_SPIN_BUTTON: "input",
    pyatspi.ROLE_ENTRY: "input",
    pyatspi.ROLE_DATE_EDITOR: "input",
    pyatspi.ROLE_TABLE: "table",
    pyatspi.ROLE_RADIO_BUTTON: "choice",
    pyatspi.ROLE_CHECK_BOX: "choice",
}


def find_application(name, seconds=20):
    deadline = time.time() + seconds
    while time.time() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for application in desktop:
            if application is not None and application.name == name:
                return application
        time.sleep(0.5)
    return None


def walk(node, depth=0):
    yield node
    if depth > 40:
        return
    for child in node:
        if child is not None:
            yield from walk(child, depth + 1)


def main():
    wanted = sys.argv[1] if len(sys.argv) > 1 else "Ссудомер"
    application = find_application(wanted)
    if application is None:
        seen = [a.name for a in pyatspi.Registry.getDesktop(0) if a is not None]
        print(f"{wanted} did not appear on the accessibility bus; seen: {seen}")
        return 2
    failures = check(application)
    # The payment entry takes the place of the calculation options in the other mode.
    for node in walk(application):
        if node.getRole() == pyatspi.ROLE_PUSH_BUTTON and node.name == "Режим ввода":
            node.queryAction().doAction(0)
            time.sleep(1)
            print("-- the payment-input mode")
            failures += check(application)
            break
    print("nameless or shared:", failures)
    return 1 if failures else 0


def check(application):
    """Prints the controls on show; returns how many are nameless or share a name."""
    failures = 0
    names = {}
    for node in walk(application):
        kind = NAMED_ROLES.get(node.getRole())
        if kind is None:
            continue
        if not node.getState().contains(pyatspi.STATE_SHOWING):
            continue
        name = node.name
        print(f"{kind:7} {node.getRoleName():14} {name!r}")
        if not name:
            failures += 1
        elif kind == "input":
            names[name] = names.get(name, 0) + 1
    for name, count in names.items():
        if count > 1:
            print(f"{count} inputs share the name {name!r}")
            failures += 1
    return failures


if __name__ == "__main__":
    sys.exit(main())
