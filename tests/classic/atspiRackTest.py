#!/usr/bin/python3
"""The real program as a screen reader meets it: over AT-SPI, on an X server
of its own and a session bus of its own (run it as: dbus-run-session --
this.py PROGRAM). Checks the launch pad's names, opens the Classic window and
starts a game through AT-SPI actions, reads the rack's tiles, moves the
keyboard cursor and hears the focus move and the countdown change."""
import importlib.util
import os
import re
import subprocess
import sys
import time

if importlib.util.find_spec("pyatspi") is None:
    print("SKIP: Debian's AT-SPI bindings (python3-pyatspi) are missing")
    sys.exit(77)
program = sys.argv[1]
failures = []

# A free display, chosen by the server itself, so parallel runs never clash.
read_end, write_end = os.pipe()
xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
                         "-nolisten", "tcp"], pass_fds=[write_end])
os.close(write_end)
os.environ["DISPLAY"] = ":" + os.read(read_end, 16).decode().strip()
bus = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
for _ in range(100):
    if subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
                       "/org/a11y/bus", "org.a11y.Bus.GetAddress"],
                      capture_output=True).returncode == 0:
        break
    time.sleep(0.1)

import pyatspi  # noqa: E402 (it looks for the bus as it loads)
from gi.repository import GLib  # noqa: E402


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what)
    if not ok:
        failures.append(what)


def pump(seconds, until=lambda: False):
    """Runs the event loop (AT-SPI events arrive through it) until `until`
    holds or the time is up; queries of a tree still appearing may fail."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        while GLib.MainContext.default().iteration(False):
            pass
        try:
            if until():
                return True
        except Exception:
            pass
        time.sleep(0.05)
    return False


def find(node, role, name=None):
    """The first object of a role (and name, a string or a regex) below node."""
    if node is None:
        return None
    if node.getRoleName() == role and (
            name is None or re.fullmatch(name, node.name or "")):
        return node
    for child in node:
        found = find(child, role, name)
        if found is not None:
            return found
    return None


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Quillbox":
            return app
    return None


heard = []
pyatspi.Registry.registerEventListener(
    lambda e: heard.append((e.type, e.source)), "focus:",
    "object:property-change:accessible-name")

# On the X server, whatever platform the other tests were given.
env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
quillbox = subprocess.Popen([program], env=env)
try:
    pump(30, lambda: find(application(), "push button", "Exit"))
    app = application()
    check(app is not None, "the program is on the accessibility bus")
    if app is None:
        sys.exit(1)
    pad = find(app, "dialog", "Quillbox LaunchPad")
    for caption in ("Classic", "Crossword", "Exit"):
        check(find(pad, "push button", caption) is not None, "launch pad button " + caption)
    word_box = find(pad, "text")
    check(word_box is not None and word_box.name != "", "the word box has a name")

    find(pad, "push button", "Classic").queryAction().doAction(0)
    check(pump(20, lambda: find(application(), "push button", "Start Game")),
          "Classic opens the Classic window")
    window = find(application(), "frame", "Quillbox")
    rack = find(window, "list", "Rack")
    check(rack is not None and [t.name for t in rack] == ["empty slot"] * 10,
          "the rack is ten empty slots")

    heard.clear()
    find(window, "push button", "Start Game").queryAction().doAction(0)
    tile = r"tile {} of 7, (blank shown as )?[A-Z]"
    drawn = [tile.format(i) for i in range(1, 8)] + ["empty slot"] * 3
    check(pump(20, lambda: all(re.fullmatch(p, t.name) for p, t in zip(drawn, rack))),
          "after the draw: " + ", ".join(t.name for t in rack))
    countdown = [s for kind, s in heard if kind.startswith("object:property-change")
                 and s.description.startswith("The computer counts down")]
    check(len(countdown) >= 10, "the countdown was heard %d times" % len(countdown))

    # The keyboard: the rack takes the focus, Right moves its cursor.
    visible = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Quillbox$"],
                             capture_output=True, text=True, timeout=10).stdout.split()
    subprocess.run(["xdotool", "windowfocus", "--sync", visible[0]], timeout=10)
    rack.queryComponent().grabFocus()
    heard.clear()
    subprocess.run(["xdotool", "key", "Right"], timeout=10)
    second = rack[1].name
    check(pump(10, lambda: any(k == "focus:" and s.name == second for k, s in heard)),
          "Right is heard as the focus moving to " + second)
finally:
    # The bus launcher takes its own bus daemon with it when asked to stop.
    for process in (quillbox, bus, xvfb):
        process.terminate()
        try:
            process.wait(10)
        except subprocess.TimeoutExpired:
            process.kill()
sys.exit(1 if failures else 0)
