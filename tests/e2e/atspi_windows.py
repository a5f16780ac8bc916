#!/usr/bin/python3
"""The running menu as a screen reader sees it through AT-SPI: every item of the main window
a named link that can be pressed, the header lines static text, and a press that runs the
item; the file browser's and the dialog's lists, box and buttons named.

    atspi_windows.py TRACE-FILE      (Debian's own python3, for its pyatspi)
"""
import sys
import time

import pyatspi

trace_file = sys.argv[1]
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)


def wait(condition, what, seconds=10):
    for _ in range(int(seconds * 10)):
        found = condition()
        if found:
            return found
        time.sleep(0.1)
    sys.exit("never: " + what)


def in_trace(line):
    with open(trace_file, encoding="utf-8") as f:
        return line in f.read().splitlines()


def nodes(acc):
    yield acc
    for i in range(acc.childCount):
        yield from nodes(acc.getChildAtIndex(i))


def showing(acc):
    return acc.getState().contains(pyatspi.STATE_SHOWING)


def actions(acc):
    try:
        a = acc.queryAction()
    except NotImplementedError:
        return {}
    return {a.getName(i): (a, i) for i in range(a.nActions)}


def frame(title):
    def find():
        for app in nodes(pyatspi.Registry.getDesktop(0)):
            if app.getRoleName() in ("frame", "dialog") and app.name == title and showing(app):
                return app
        return None
    return wait(find, "a window titled " + title)


def child(window, role, name):
    for n in nodes(window):
        if n.getRoleName() == role and n.name == name and showing(n):
            return n
    sys.exit("no %s named %r in %r" % (role, name, window.name))


def press(acc):
    a, i = actions(acc)["Press"]
    a.doAction(i)


# The main window: the six header lines are labels, each item a named link with Press.
main = frame("Tidewell Software CD - Main Menu")
links = [n for n in nodes(main) if n.getRoleName() == "link" and showing(n)]
check(len(links) == 4, "the page's two items and the two at the foot are links: %d" % len(links))
for link in links:
    check(link.name and "Press" in actions(link), "an item without name or press: %r" % link.name)
labels = [n.name for n in nodes(main) if n.getRoleName() == "label"]
for header in ("Tidewell Electronics, Inc.", "Sensing the Sea", "Software CD", "Version 7.16",
               "Job Completed: March 2007", "Job Number A17"):
    check(header in labels, "no header line " + header)

# A press runs the item: the page changes, and the next page's items are links too.
press(child(main, "link", "View instrument specific documentation"))
wait(lambda: in_trace("caption\tformMain\tTidewell Software CD - Instrument Specific Documentation"),
     "the instrument page after a press")
press(child(main, "link", "View .CON file(s)"))

# The file browser: its list named; a file chosen and saved through the dialog.
browser = frame("All included .CON file(s)")
for window in (main, browser):
    check(window.getRoleName() == "frame", "%r is a %s" % (window.name, window.getRoleName()))
files = child(browser, "list", "Files")
item = [n for n in nodes(files) if n.getRoleName() == "list item"][0]
a, i = actions(item)["Toggle"]
a.doAction(i)
press(child(browser, "push button", "Save"))
dialog = frame("Save In")
check(dialog.getRoleName() == "dialog", "the destination dialog is a " + dialog.getRoleName())
for role, name in (("text", "Destination folder"), ("list", "Folders"), ("combo box", "Drives"),
                   ("push button", "Save"), ("push button", "Cancel")):
    child(dialog, role, name)
press(child(dialog, "push button", "Cancel"))
wait(lambda: in_trace("hide\tFormFileSave"), "the dialog cancelled by a press")

for f in failures:
    print("FAIL:", f)
sys.exit(1 if failures else 0)
