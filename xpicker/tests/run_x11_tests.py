#!/usr/bin/env python3
"""End-to-end tests of xpicker on a private Xvfb server.

Usage: run_x11_tests.py --binary PATH --selection PATH [--group NAME]
"""

import argparse
import os
import subprocess
import sys
import time
import traceback

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from x11_harness import Suite, TestFailure, check  # noqa: E402
import cases_command_line  # noqa: E402
import cases_answers  # noqa: E402
import cases_choice_keys  # noqa: E402
import cases_windows  # noqa: E402
import cases_log  # noqa: E402
import cases_wait  # noqa: E402

GROUPS = {
    "command_line": cases_command_line.CASES,
    "answers": cases_answers.CASES,
    "choice_keys": cases_choice_keys.CASES,
    "windows": cases_windows.CASES,
    "log": cases_log.CASES,
    "wait": cases_wait.CASES,
}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--binary", required=True)
    parser.add_argument("--selection", required=True)
    parser.add_argument("--group", action="append")
    parser.add_argument("--case")
    args = parser.parse_args()
    groups = args.group or list(GROUPS)
    suite = Suite(os.path.abspath(args.binary), os.path.abspath(args.selection))
    failures = 0
    try:
        for group in groups:
            for case in GROUPS[group]:
                if args.case and args.case not in case.__name__:
                    continue
                started = time.time()
                try:
                    case(suite)
                    print("ok   %s.%s (%.1fs)" % (group, case.__name__, time.time() - started), flush=True)
                except (TestFailure, subprocess.TimeoutExpired) as e:
                    failures += 1
                    print("FAIL %s.%s: %s" % (group, case.__name__, e), flush=True)
                except Exception:  # a broken case must not hide the others
                    failures += 1
                    print("FAIL %s.%s:\n%s" % (group, case.__name__, traceback.format_exc()), flush=True)
                finally:
                    for p in suite.processes:
                        if p.poll() is None:
                            p.kill()
                            p.wait()
                    suite.processes.clear()
    finally:
        suite.close()
    print("%d failure(s)" % failures)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
