"""Exit statuses and messages that need no window."""

import os
import subprocess

from x11_harness import check

UNKNOWN = 2
BAD_ARGS = 1


def _run(suite, args, env=None, stdin=None):
    return subprocess.run([suite.binary] + args, env=env or suite.x.env, capture_output=True, timeout=15,
                          stdin=stdin if stdin is not None else subprocess.DEVNULL)


def statuses_without_a_window(suite):
    # arguments                                     status
    rows = [
        ([], UNKNOWN),
        (["-choice", "a", "b"], UNKNOWN),
        (["-question", "q", "-nosuch"], UNKNOWN),
        (["-question"], BAD_ARGS),
        (["-question", "q", "-cancel", "No"], BAD_ARGS),
        (["-tail", "x"], BAD_ARGS),
    ]
    for args, status in rows:
        r = _run(suite, args)
        check(r.returncode == status, "%s: status %d, wanted %d" % (args, r.returncode, status))
        check(r.stdout == b"" and r.stderr == b"", "%s printed %r %r" % (args, r.stdout, r.stderr))


def log_file_errors(suite):
    missing = os.path.join(suite.tmp, "no-such-log")
    r = _run(suite, ["-log", "x", missing])
    check(r.returncode == 2, "missing log: status %d" % r.returncode)
    check(r.stderr == b"can\xb4t open file " + missing.encode() + b", error 2\n", "message %r" % r.stderr)
    check(r.stdout == b"", "stdout %r" % r.stdout)
    r = _run(suite, ["-tail", "x", ""])
    check(r.returncode == 2 and r.stderr == b"no file given\n", "empty name: %d %r" % (r.returncode, r.stderr))


def display_defaults_to_zero(suite):
    if os.path.exists("/tmp/.X11-unix/X0"):
        return  # a real server on :0 would show the dialog
    env = dict(suite.x.env)
    env.pop("DISPLAY")
    r = _run(suite, ["-message", "OK", "text"], env=env)
    check(r.returncode == 1, "status %d" % r.returncode)
    check(b":0.0" in r.stderr, "toolkit message does not name :0.0: %r" % r.stderr)


CASES = [statuses_without_a_window, log_file_errors, display_defaults_to_zero]
