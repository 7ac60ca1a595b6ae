# SPDX-License-Identifier: MIT
"""What a person and a screen reader do with the program: find its windows and controls
through AT-SPI, read them back, and (with an X server) click and type with real X input."""

import subprocess
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

import session  # noqa: E402
from session import Ended, wait_for  # noqa: E402

# An accessible object that went away while it was read raises GLib.Error.
session.TRANSIENT_ERRORS.append(GLib.Error)

MAIN_TITLE = "Brimel 1.0   por Vorno"


def children(node):
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield child


def descendants(node, depth=0):
    yield node
    if depth < 12:
        for child in children(node):
            yield from descendants(child, depth + 1)


def parent_of(pid):
    try:
        with open(f"/proc/{pid}/stat") as stat:
            return int(stat.read().rsplit(")", 1)[1].split()[1])
    except (OSError, ValueError, IndexError):
        return None


class Program:
    """The accessible side of one running program, found by its process id."""

    def __init__(self, process, session):
        self.process = process
        self.session = session
        self._last_click = (None, 0.0)
        self.app = wait_for(self._find_app, timeout=15, what="the program on the accessibility bus")

    def _find_app(self):
        code = self.process.poll()
        if code is not None:
            raise Ended(f"the program ended with code {code} before joining the accessibility bus")
        desktop = Atspi.get_desktop(0)
        for app in children(desktop):
            pid = app.get_process_id()
            # The program itself, or its child when a wrapper such as strace started it.
            if self.process.pid in (pid, parent_of(pid)):
                return app
        return None

    # --- Windows and controls ----------------------------------------------------------------

    def windows(self):
        """Top-level windows that are showing, by title."""
        shown = {}
        for window in children(self.app):
            states = window.get_state_set()
            if states.contains(Atspi.StateType.SHOWING) or states.contains(Atspi.StateType.VISIBLE):
                shown.setdefault(window.get_name(), []).append(window)
        return shown

    def window(self, title, timeout=5):
        return wait_for(lambda: (self.windows().get(title) or [None])[0], timeout=timeout,
                        what=f"window {title!r}")

    def find(self, root, name=None, role=None, description=None):
        for node in descendants(root):
            if name is not None and node.get_name() != name:
                continue
            if role is not None and node.get_role_name() != role:
                continue
            if description is not None and node.get_description() != description:
                continue
            return node
        raise LookupError(f"no {role or 'node'} named {name!r} described {description!r}")

    def main(self):
        return self.window(MAIN_TITLE)

    def tooltip(self, containing, timeout=5):
        """The text of the tooltip window showing that contains the text given."""
        def shown():
            for window in children(self.app):
                if window.get_role_name() == "tool tip":
                    text = window.get_name() or "".join(
                        node.get_name() or "" for node in descendants(window))
                    if containing in text:
                        return text
            return None
        return wait_for(shown, timeout=timeout, what=f"a tooltip with {containing!r}")

    def box(self, name):
        return self.find(self.main(), name=name, role="text")

    def button(self, name, window=None):
        return self.find(window or self.main(), name=name, role="push button")

    def labels(self, root):
        return [node for node in descendants(root) if node.get_role_name() == "label"]

    def focused(self, node):
        return node.get_state_set().contains(Atspi.StateType.FOCUSED)

    def act(self, node, name=None):
        """Does one of the node's accessibility actions ("Press"...), as a screen reader would."""
        for i in range(Atspi.Action.get_n_actions(node)):
            if name is None or Atspi.Action.get_action_name(node, i) == name:
                Atspi.Action.do_action(node, i)
                return
        raise LookupError(f"{node.get_name()!r} has no action {name!r}")

    def kind_label(self):
        return self.find(self.main(), role="label", description="Tipo de solución")

    @staticmethod
    def text_of(node):
        if node.get_role_name() == "text":
            return Atspi.Text.get_text(node, 0, -1)
        return node.get_name()

    # --- Real input through the X server -----------------------------------------------------

    def xdotool(self, *arguments):
        subprocess.run(["xdotool", *arguments], env=self.session.env, check=True)

    def click(self, node, dx=0):
        extents = node.get_extents(Atspi.CoordType.SCREEN)
        x = extents.x + extents.width // 2 + dx
        y = extents.y + extents.height // 2
        # Two clicks on one spot within the double-click interval would select a word.
        spot, when = self._last_click
        if spot == (x, y):
            time.sleep(max(0.0, when + 0.6 - time.monotonic()))
        self.xdotool("mousemove", str(x), str(y), "click", "1")
        self._last_click = ((x, y), time.monotonic())

    def type_into(self, name, text):
        box = self.box(name)
        self.click(box)
        self.xdotool("key", "End", "shift+Home", "BackSpace")
        if text:
            self.xdotool("type", "--delay", "10", "--", text)
        wait_for(lambda: self.text_of(self.box(name)) == text, what=f"{name} to hold {text!r}")

    def key(self, *chords):
        self.xdotool("key", *chords)

    def clipboard(self):
        result = subprocess.run(["xclip", "-selection", "clipboard", "-o"], env=self.session.env,
                                capture_output=True, text=True, timeout=5)
        return result.stdout
