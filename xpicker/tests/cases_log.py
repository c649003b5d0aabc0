"""The log window: a file or standard input shown once or followed."""

import os
import time
import subprocess

from x11_harness import check


def _shown_text(d):
    """Selects the whole text (five clicks) and reads it back."""
    banner, text, ok = d.form().children
    time.sleep(0.6)  # let the previous clicks' multi-click time pass
    d.suite.click_at(text.abs_x + 30, text.abs_y + 8, repeat=5)  # on the first line
    return d.suite.selection_text()


def _wait_for_text(d, wanted):
    return d.suite.poll(lambda: _shown_text(d), lambda t: t == wanted)


def log_file_once(suite):
    content = "".join("line %d\n" % i for i in range(60))
    path = suite.path("once.log", content)
    d = suite.start(["-log", "x", path])
    d.wait_window()
    _wait_for_text(d, content)
    d.keys("Return")
    check(d.finish() == (0, b"", b""), "OK of the log window")


def log_standard_input_file_and_pipe(suite):
    content = "from standard input\n" * 5
    path = suite.path("stdin.log", content)
    with open(path, "rb") as f:
        d = suite.start(["-log", "x", "-"], stdin=f)
        d.wait_window()
        _wait_for_text(d, content)
        d.proc.kill()
    # A pipe cannot be measured by seeking: it is read to its end.
    writer = subprocess.Popen(["sh", "-c", "printf 'piped one\\n'; sleep 0.5; printf 'piped two\\n'"],
                              stdout=subprocess.PIPE)
    suite.processes.append(writer)
    d = suite.start(["-log", "x", "-"], stdin=writer.stdout)
    writer.stdout.close()
    d.wait_window()
    _wait_for_text(d, "piped one\npiped two\n")
    d.proc.kill()


def tail_follows_a_growing_file(suite):
    path = suite.path("grow.log", "start\n")
    d = suite.start(["-tail", "x", path])
    d.wait_window()
    _wait_for_text(d, "start\n")
    with open(path, "a") as f:
        f.write("appended 1\n")
    _wait_for_text(d, "start\nappended 1\n")
    with open(path, "a") as f:
        f.write("appended 2\nappended 3\n")
    _wait_for_text(d, "start\nappended 1\nappended 2\nappended 3\n")
    # Truncated in place and written again: the new lines follow.
    with open(path, "w") as f:
        f.write("after truncation\n")
    _wait_for_text(d, "start\nappended 1\nappended 2\nappended 3\nafter truncation\n")
    check(d.running_after(0.1), "follower ended")


def tail_standard_input(suite):
    read_end, write_end = os.pipe()
    d = suite.start(["-tail", "x", "-"], stdin=read_end)
    os.close(read_end)
    d.wait_window()
    os.write(write_end, b"first\n")
    _wait_for_text(d, "first\n")
    os.write(write_end, b"second\n")
    _wait_for_text(d, "first\nsecond\n")
    os.close(write_end)  # end of input: the window stays
    check(d.running_after(0.5), "window closed at end of input")
    _wait_for_text(d, "first\nsecond\n")
    d.proc.kill()

    path = suite.path("tail-stdin.log", "redirected\n")
    with open(path, "rb") as f:
        d = suite.start(["-tail", "x", "-"], stdin=f)
        d.wait_window()
        _wait_for_text(d, "redirected\n")
        with open(path, "a") as w:
            w.write("grown\n")
        _wait_for_text(d, "redirected\ngrown\n")
        d.proc.kill()


CASES = [log_file_once, log_standard_input_file_and_pipe, tail_follows_a_growing_file, tail_standard_input]
