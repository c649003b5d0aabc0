"""One wait window per display, closed by the next dialog."""

import time

from x11_harness import check


def wait_window_protocol(suite):
    first = suite.start(["-wait", "Stop", "working..."])
    first.wait_window()
    second = suite.start(["-wait", "Stop", "again"])
    rc, out, _ = second.finish(timeout=10)
    check((rc, out) == (0, b""), "second wait: %r" % ((rc, out),))
    check(not suite.visible_windows(second.title), "second wait showed a window")
    check(first.running_after(0.2), "first wait ended early")

    follower = suite.start(["-message", "Close", "done"])
    check(first.finish(timeout=10)[:2] == (0, b""), "wait window not closed by the next dialog")
    follower.wait_window()
    follower.keys("Return")
    check(follower.finish()[:2] == (0, b""), "next dialog")

    # Once the wait window is gone a new one may show.
    third = suite.start(["-wait", "Stop", "third"])
    third.wait_window()
    third.proc.terminate()


CASES = [wait_window_protocol]
