"""Runs xpicker on a private Xvfb server and drives it with xdotool.

Widgets have no names on the server, so windows are found by their class
(the -title) and widgets by their place in the window tree: the toolkit
creates the children of a form in the order the program adds them, and
xwininfo lists them in that order.
"""

import os
import re
import shutil
import signal
import subprocess
import tempfile
import time

TIMEOUT = 15.0


class TestFailure(AssertionError):
    pass


def check(condition, message):
    if not condition:
        raise TestFailure(message)


class Node:
    def __init__(self, wid, width, height, x, y, abs_x, abs_y):
        self.wid, self.width, self.height = wid, width, height
        self.x, self.y, self.abs_x, self.abs_y = x, y, abs_x, abs_y
        self.children = []

    def center(self):
        return self.abs_x + self.width // 2, self.abs_y + self.height // 2

    def __repr__(self):
        return "<%s %dx%d+%d+%d>" % (self.wid, self.width, self.height, self.x, self.y)


_LINE = re.compile(r"^(\s*)(0x[0-9a-f]+) .*?\s(\d+)x(\d+)\+?(-?\d+)\+?(-?\d+)\s+\+?(-?\d+)\+?(-?\d+)\s*$")


class XServer:
    def __init__(self):
        read_fd, write_fd = os.pipe()
        self.proc = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        number = b""
        deadline = time.time() + 30
        while not number.endswith(b"\n") and time.time() < deadline:
            chunk = os.read(read_fd, 16)
            if not chunk:
                break
            number += chunk
        os.close(read_fd)
        if not number.strip():
            self.proc.kill()
            raise RuntimeError("Xvfb did not start")
        self.display = ":" + number.decode().strip()
        self.env = dict(os.environ, DISPLAY=self.display, LC_ALL="C")
        self.env.pop("XAUTHORITY", None)

    def stop(self):
        self.proc.terminate()
        try:
            self.proc.wait(10)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            self.proc.wait()

    def run(self, args, **kw):
        return subprocess.run(args, env=self.env, capture_output=True, timeout=TIMEOUT, **kw)


class Dialog:
    """One running xpicker."""

    def __init__(self, suite, args, stdin=None, env=None, title=None):
        self.suite = suite
        self.title = title
        self.proc = subprocess.Popen([suite.binary] + args, stdin=stdin if stdin is not None else subprocess.DEVNULL,
                                     stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                     env=env if env is not None else suite.x.env)
        suite.processes.append(self.proc)
        self.window = None

    def wait_window(self, timeout=TIMEOUT):
        self.window = self.suite.find_window(self.title, timeout, self.proc)
        return self.window

    def tree(self):
        return self.suite.tree(self.window)

    def form(self):
        return self.tree().children[0]

    def focus(self):
        self.suite.x.run(["xdotool", "windowfocus", "--sync", self.window])

    def keys(self, *keys):
        self.focus()
        self.suite.x.run(["xdotool", "key", "--delay", "40"] + list(keys))

    def type(self, text):
        self.focus()
        self.suite.x.run(["xdotool", "type", "--delay", "40", text])

    def click(self, node, repeat=1):
        x, y = node.center()
        self.suite.click_at(x, y, repeat)

    def finish(self, timeout=TIMEOUT):
        try:
            out, err = self.proc.communicate(timeout=timeout)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            out, err = self.proc.communicate()
            raise TestFailure("xpicker did not end; stderr: %r" % err)
        return self.proc.returncode, out, err

    def running_after(self, seconds):
        try:
            self.proc.wait(seconds)
            return False
        except subprocess.TimeoutExpired:
            return True

    def hints(self):
        out = self.suite.x.run(["xprop", "-id", self.window, "WM_NORMAL_HINTS"]).stdout.decode()
        found = {}
        for key in ("minimum", "maximum"):
            m = re.search(key + r" size: (\d+) by (\d+)", out)
            found[key] = (int(m.group(1)), int(m.group(2))) if m else None
        return found

    def prop(self, name):
        return self.suite.x.run(["xprop", "-id", self.window, name]).stdout.decode()


class Suite:
    def __init__(self, binary, selection):
        self.binary = binary
        self.selection = selection
        self.x = XServer()
        self.processes = []
        self.tmp = tempfile.mkdtemp(prefix="xpicker-test-")
        self.counter = 0

    def close(self):
        for p in self.processes:
            if p.poll() is None:
                p.kill()
                p.wait()
        self.x.stop()
        shutil.rmtree(self.tmp, ignore_errors=True)

    def unique_title(self, stem):
        self.counter += 1
        return "%s%d" % (stem, self.counter)

    def start(self, args, stem="T", **kw):
        title = self.unique_title(stem)
        return Dialog(self, ["-title", title] + args, title=title, **kw)

    def path(self, name, content=None):
        p = os.path.join(self.tmp, name)
        if content is not None:
            with open(p, "wb") as f:
                f.write(content if isinstance(content, bytes) else content.encode())
        return p

    def visible_windows(self, title):
        r = self.x.run(["xdotool", "search", "--onlyvisible", "--class", "^%s$" % re.escape(title)])
        return r.stdout.decode().split()

    def find_window(self, title, timeout=TIMEOUT, proc=None):
        deadline = time.time() + timeout
        while time.time() < deadline:
            found = self.visible_windows(title)
            if found:
                return found[0]
            if proc is not None and proc.poll() is not None:
                raise TestFailure("xpicker ended (%d) before showing %s: %r"
                                  % (proc.returncode, title, proc.stderr.read()))
            time.sleep(0.05)
        raise TestFailure("no window of class %s" % title)

    def tree(self, window):
        out = self.x.run(["xwininfo", "-tree", "-id", window]).stdout.decode().splitlines()
        own = self.x.run(["xwininfo", "-id", window]).stdout.decode()
        fact = {k: int(re.search(k + r":\s+(-?\d+)", own).group(1))
                for k in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height")}
        root = None
        stack = []
        for line in out:
            m = _LINE.match(line)
            if not m:
                continue
            indent = len(m.group(1))
            node = Node(m.group(2), int(m.group(3)), int(m.group(4)), int(m.group(5)), int(m.group(6)),
                        int(m.group(7)), int(m.group(8)))
            while stack and stack[-1][0] >= indent:
                stack.pop()
            if stack:
                stack[-1][1].children.append(node)
            else:
                root = Node(window, fact["Width"], fact["Height"], 0, 0,
                            fact["Absolute upper-left X"], fact["Absolute upper-left Y"])
                root.children.append(node)
            stack.append((indent, node))
        check(root is not None, "window %s has no children" % window)
        return root

    def click_at(self, x, y, repeat=1):
        self.x.run(["xdotool", "mousemove", str(x), str(y)])
        self.x.run(["xdotool", "click", "--repeat", str(repeat), "--delay", "40", "1"])

    def selection_text(self):
        r = self.x.run([self.selection])
        return r.stdout.decode("latin-1") if r.returncode == 0 else None

    def poll(self, what, predicate, timeout=TIMEOUT):
        deadline = time.time() + timeout
        value = None
        while time.time() < deadline:
            value = what()
            if predicate(value):
                return value
            time.sleep(0.1)
        raise TestFailure("condition not met in time; last value %r" % (value,))


def choice_widgets(dialog, has_list=False, has_text=False, cancel=False, help=False):
    """Named widgets of a choice dialog, from the order they are created in."""
    names = ["Label", "question"]
    if has_list:
        names.append("list")
    if has_text:
        names.append("text")
    names += (["cancel"] if cancel else []) + (["help"] if help else []) + ["ok"]
    children = dialog.form().children
    check(len(children) == len(names), "form has %d children, wanted %s" % (len(children), names))
    found = dict(zip(names, children))
    if has_list and found["list"].children:  # scrolled: viewport holding the list
        found["vp"] = found.pop("list")
        clip = [c for c in found["vp"].children if c.children]
        found["list"] = clip[0].children[0] if clip else found["vp"].children[0]
    return found
