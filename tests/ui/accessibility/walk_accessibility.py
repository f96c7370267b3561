#!/usr/bin/python3
"""Walks Kurvex's accessibility tree as a screen reader sees it (AT-SPI).

Starts kurvex on two runs (the first without side file, so the first-load
question comes), then checks the main window with every dock shown, and the
main dialogs opened with the keyboard: every control a user can focus or
operate has a name; the toolbar buttons are named by their tooltips; the chart
window's description names the run, the page and its stations, and follows
the page.

    walk_accessibility.py KURVEX RUNS_FOLDER
"""

import os
import re
import subprocess
import sys
import time

import pyatspi

PROGRAM, RUNS = sys.argv[1], sys.argv[2]
FAILURES = []
MAIN_TITLE = "Kurvex-Viewer"
# Buttons that close a dialog without changing anything, in the order tried.
CLOSING_BUTTONS = ("Abbrechen", "Schließen", "OK")
VERBOSE = bool(os.environ.get("KURVEX_WALK_VERBOSE"))

# Roles whose children are rows of data (a file viewer of a million lines):
# the container is checked, its rows are not walked.
DATA_CONTAINERS = {
    pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_LIST, pyatspi.ROLE_TREE, pyatspi.ROLE_LIST_BOX,
}
# Roles that are no control of their own even when Qt lets them take the focus.
NOT_CONTROLS = {
    pyatspi.ROLE_APPLICATION, pyatspi.ROLE_FRAME, pyatspi.ROLE_FILLER, pyatspi.ROLE_PANEL, pyatspi.ROLE_LABEL,
    pyatspi.ROLE_STATIC, pyatspi.ROLE_SEPARATOR, pyatspi.ROLE_TABLE_CELL, pyatspi.ROLE_LIST_ITEM,
    pyatspi.ROLE_TABLE_ROW, pyatspi.ROLE_TABLE_COLUMN_HEADER, pyatspi.ROLE_TABLE_ROW_HEADER,
    pyatspi.ROLE_COLUMN_HEADER, pyatspi.ROLE_ROW_HEADER, pyatspi.ROLE_STATUS_BAR, pyatspi.ROLE_TOOL_BAR,
    pyatspi.ROLE_MENU_BAR, pyatspi.ROLE_DESKTOP_FRAME,
}


def fail(text):
    FAILURES.append(text)
    print("FAIL: " + text, flush=True)


def wait_for(what, predicate, timeout=20.0):
    end = time.time() + timeout
    while time.time() < end:
        try:
            found = predicate()
        except Exception:  # the tree changes while it is read
            found = None
        if found:
            return found
        time.sleep(0.2)
    raise SystemExit("FAIL: timed out waiting for " + what)


def role_name(node):
    try:
        return node.getRoleName()
    except Exception:
        return "?"


def path_of(node):
    parts = []
    while node is not None:
        try:
            parts.append("%s '%s'" % (role_name(node), node.name))
            node = node.parent
        except Exception:
            break
        if len(parts) > 12:
            break
    return " < ".join(parts)


def children(node):
    try:
        count = node.childCount
    except Exception:
        return []
    found = []
    for i in range(min(count, 2000)):
        try:
            child = node.getChildAtIndex(i)
        except Exception:
            child = None
        if child is not None:
            found.append(child)
    return found


def walk(node, showing_only=True):
    """Every node below node (itself included) that is showing. Of a tool bar
    every button counts: the one for the buttons a narrow window cannot show
    comes only then."""
    found = []
    stack = [(node, False)]
    while stack:
        current, in_bar = stack.pop()
        try:
            states = current.getState()
            role = current.getRole()
        except Exception:
            continue
        if showing_only and current is not node and not in_bar and not states.contains(pyatspi.STATE_SHOWING):
            continue
        found.append(current)
        if role in DATA_CONTAINERS:
            continue
        bar = role == pyatspi.ROLE_TOOL_BAR
        stack.extend((child, bar) for child in reversed(children(current)))
    return found


def actions_of(node):
    try:
        action = node.queryAction()
        return [action.getName(i) for i in range(action.nActions)]
    except Exception:
        return []


# Controls also while they are disabled: a screen reader names them all the same.
ALWAYS_CONTROLS = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON,
    pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_SLIDER, pyatspi.ROLE_SCROLL_BAR,
    pyatspi.ROLE_PAGE_TAB, pyatspi.ROLE_ENTRY, pyatspi.ROLE_PASSWORD_TEXT,
}


def is_control(node):
    try:
        role = node.getRole()
        states = node.getState()
    except Exception:
        return False
    if role in NOT_CONTROLS:
        return False
    if role in DATA_CONTAINERS or role in ALWAYS_CONTROLS:
        return True
    if states.contains(pyatspi.STATE_FOCUSABLE):
        return True
    return bool(actions_of(node))


def check_names(top, where):
    checked = 0
    for node in walk(top):
        if not is_control(node):
            continue
        checked += 1
        name = (node.name or "").strip()
        if VERBOSE:
            print("  %s %r" % (role_name(node), name), flush=True)
        if not name:
            fail("%s: %s without a name: %s" % (where, role_name(node), path_of(node)))
        elif "\t" in name:
            fail("%s: %s named with a tab: %r" % (where, role_name(node), name))
    print("%s: %d controls named" % (where, checked), flush=True)


def application(pid):
    for app in pyatspi.Registry.getDesktop(0):
        try:
            if app is not None and app.get_process_id() == pid:
                return app
        except Exception:
            continue
    return None


def top_windows(app, role):
    windows = []
    for child in children(app):
        try:
            if child.getRole() == role and child.getState().contains(pyatspi.STATE_SHOWING):
                windows.append(child)
        except Exception:
            continue
    return windows


def x_window(pid, title):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid), "--name", title],
                           capture_output=True, text=True)
    ids = found.stdout.split()
    return ids[0] if ids else None


def keys(pid, title, *names):
    """Keys typed into the window whose title holds `title`, as a user types them."""
    window = x_window(pid, title)
    if window:
        for command in (["xdotool", "windowactivate", window], ["xdotool", "windowfocus", window]):
            try:
                subprocess.run(command, capture_output=True, timeout=5)
            except subprocess.TimeoutExpired:
                pass
        time.sleep(0.3)
    for name in names:
        subprocess.run(["xdotool", "key", "--clearmodifiers", name], check=False)
        time.sleep(0.3)


def find(nodes, predicate):
    for node in nodes:
        try:
            if predicate(node):
                return node
        except Exception:
            continue
    return None


def chart_of(frame, file_name):
    prefix = "Messfahrt %s, Seite " % file_name
    return find(walk(frame), lambda n: n.name == "Diagramm" and n.description.startswith(prefix))


def check_toolbar(frame):
    bars = [n for n in walk(frame) if n.getRole() == pyatspi.ROLE_TOOL_BAR]
    if not bars:
        fail("no toolbar in the main window")
        return
    names = []
    for bar in bars:
        for node in walk(bar):
            if node is not bar and is_control(node):
                names.append(node.name)
    print("toolbar buttons: " + ", ".join(names), flush=True)
    for wanted in ("Öffnen", "Seite weiter", "Seite zurück", "Datei-Viewer ein-/ausblenden"):
        if wanted not in names:
            fail("toolbar: no button named %r" % wanted)
    for name in names:
        if "\t" in name or "Strg+" in name or "&" in name:
            fail("toolbar: button named %r" % name)


def check_chart(pid, frame):
    try:
        chart = wait_for("the chart of pm01bs02_sample.pbs", lambda: chart_of(frame, "pm01bs02_sample.pbs"), 5)
    except SystemExit:
        fail("no chart window named \"Diagramm\" that describes run, page and stations")
        return
    description = chart.description
    print("chart: " + description, flush=True)
    pattern = r"^Messfahrt pm01bs02_sample\.pbs, Seite (\d+) von (\d+), Station -?\d+,\d{4} km bis -?\d+,\d{4} km$"
    match = re.match(pattern, description)
    if not match:
        fail("chart description %r" % description)
        return
    pages = int(match.group(2))
    keys(pid, MAIN_TITLE, "Next")
    wait_for("page 2 in the description", lambda: ", Seite 2 von " in chart.description, 5)
    keys(pid, MAIN_TITLE, "End")
    wait_for("the last page in the description", lambda: ", Seite %d von %d," % (pages, pages) in chart.description, 5)
    keys(pid, MAIN_TITLE, "Home")
    wait_for("page 1 in the description", lambda: ", Seite 1 von " in chart.description, 5)


def show_every_dock(frame):
    """Switches on whatever dock the program has: its commands end in "ein-/ausblenden"
    (the 2-m grid's too, but it is a setting of the chart)."""
    for node in walk(frame, showing_only=False):
        try:
            name = node.name or ""
            if not name.endswith("ein-/ausblenden") or name.startswith("2m-Raster") or node.getRole() not in (
                pyatspi.ROLE_CHECK_MENU_ITEM, pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_TOGGLE_BUTTON,
                pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_CHECK_BOX):
                continue
            if node.getState().contains(pyatspi.STATE_CHECKED):
                continue
            press(node)
            print("showing: " + name, flush=True)
            time.sleep(0.5)
        except Exception as error:
            print("could not switch on %r: %s" % (node.name, error), flush=True)


def press(node):
    """Operates a control as a screen reader's user does: by its press or click action."""
    action = node.queryAction()
    names = [action.getName(i).lower() for i in range(action.nActions)]
    for wanted in ("press", "click", "activate", "toggle"):
        if wanted in names:
            action.doAction(names.index(wanted))
            return
    if names:
        action.doAction(0)


def open_dialog(app, title):
    return find(top_windows(app, pyatspi.ROLE_DIALOG), lambda d: title in (d.name or ""))


def close_dialog(dialog):
    """Closes a dialog by its cancelling button, as a screen reader's user would."""
    buttons = [n for n in walk(dialog) if n.getRole() == pyatspi.ROLE_PUSH_BUTTON]
    for wanted in CLOSING_BUTTONS:
        button = find(buttons, lambda b: b.name == wanted)
        if button is not None:
            press(button)
            return True
    return False


def check_dialog(pid, app, title, open_keys):
    keys(pid, MAIN_TITLE, *open_keys)
    try:
        dialog = wait_for("the dialog " + title, lambda: open_dialog(app, title), 10)
    except SystemExit as stop:
        fail(str(stop).replace("FAIL: ", ""))
        return
    time.sleep(0.5)
    check_names(dialog, "dialog '%s'" % dialog.name)
    if not close_dialog(dialog):
        keys(pid, title, "Escape")
    try:
        wait_for("the dialog %s to close" % title, lambda: open_dialog(app, title) is None, 10)
    except SystemExit as stop:
        fail(str(stop).replace("FAIL: ", ""))
        keys(pid, title, "Escape")


def main():
    fresh = os.path.join(RUNS, "fresh.txt")
    sample = os.path.join(RUNS, "pm01bs02_sample.pbs")
    process = subprocess.Popen([PROGRAM, "--open", fresh, sample])
    try:
        app = wait_for("kurvex on the accessibility bus", lambda: application(process.pid), 30)
        # The first-load question of the run without side file.
        question = wait_for("the first-load question",
                            lambda: find(top_windows(app, pyatspi.ROLE_DIALOG), lambda d: True), 20)
        time.sleep(0.5)
        check_names(question, "dialog '%s'" % question.name)
        close_dialog(question)
        frame = wait_for("the main window", lambda: find(top_windows(app, pyatspi.ROLE_FRAME), lambda f: True), 20)
        wait_for("the second run", lambda: "pm01bs02_sample.pbs" in (frame.name or ""), 20)
        time.sleep(0.5)
        check_toolbar(frame)
        check_chart(process.pid, frame)
        show_every_dock(frame)
        time.sleep(0.5)
        check_names(frame, "main window")
        check_dialog(process.pid, app, "Gehe zu Station", ["ctrl+g"])
        check_dialog(process.pid, app, "Streckenabschnitte bearbeiten", ["alt+b", "Return"])
        check_dialog(process.pid, app, "Auswertung", ["alt+b", "Down", "Return"])
        check_dialog(process.pid, app, "Messdatenexport", ["alt+d", "x"])
        check_dialog(process.pid, app, "Info", ["alt+question", "Return"])
        check_dialog(process.pid, app, "Seitenansicht", ["alt+d", "t"])
        check_dialog(process.pid, app, "Druckereinrichtung", ["alt+d", "e"])
    finally:
        process.terminate()
        try:
            process.wait(5)
        except subprocess.TimeoutExpired:
            process.kill()
    if FAILURES:
        print("%d accessibility faults" % len(FAILURES))
        return 1
    print("accessibility tree: all controls named")
    return 0


if __name__ == "__main__":
    sys.exit(main())
