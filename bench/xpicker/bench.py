#!/usr/bin/env python3
"""Side-by-side measurements of xpicker, xmessage and zenity on Xvfb.

Usage: bench.py --xpicker PATH [--runs 10] [--big-mb 50] [--skip-zenity]

Prints one table: start-to-map time (median), peak RSS of a dialog, CPU of
an idle follower (regular file and pipe), CPU of a follower of a file that
grows by 200 lines/s, and the time to show a big log and to show its end.
"""

import argparse
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import threading
import time

HERE = os.path.dirname(os.path.abspath(__file__))
TICK = os.sysconf("SC_CLK_TCK")


class Xvfb:
    def __init__(self):
        r, w = os.pipe()
        self.proc = subprocess.Popen(["Xvfb", "-displayfd", str(w), "-screen", "0", "1280x1024x24",
                                      "-nolisten", "tcp", "-noreset"], pass_fds=(w,),
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(w)
        number = b""
        while not number.endswith(b"\n"):
            chunk = os.read(r, 16)
            if not chunk:
                break
            number += chunk
        os.close(r)
        self.display = ":" + number.decode().strip()

    def stop(self):
        self.proc.terminate()
        self.proc.wait()


def cpu_seconds(pid):
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICK


def peak_rss_mib(pid):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1]) / 1024.0
    return float("nan")


def kill(pid):
    try:
        os.kill(pid, signal.SIGKILL)
    except ProcessLookupError:
        pass
    try:
        os.waitpid(pid, 0)
    except ChildProcessError:
        pass


def settle(pid, quiet=0.4, limit=120.0):
    """Waits until the process used no CPU for `quiet` seconds; returns the
    time of its last activity (monotonic)."""
    last_cpu = cpu_seconds(pid)
    last_change = time.monotonic()
    deadline = last_change + limit
    while time.monotonic() < deadline:
        time.sleep(0.02)
        now_cpu = cpu_seconds(pid)
        if now_cpu != last_cpu:
            last_cpu, last_change = now_cpu, time.monotonic()
        elif time.monotonic() - last_change >= quiet:
            return last_change
    return last_change


class Bench:
    def __init__(self, args, env, mapwatch):
        self.args, self.env, self.mapwatch = args, env, mapwatch

    def start(self, command, lang, stdin=None, timeout=60):
        env = dict(self.env)
        env.pop("LC_ALL", None)
        env["LANG"] = lang
        env["LC_ALL"] = lang
        started = time.monotonic()
        out = subprocess.run([self.mapwatch, str(timeout)] + command, env=env, capture_output=True,
                             stdin=stdin, timeout=timeout + 10).stdout.decode().split()
        if not out or out[0] == "timeout":
            if len(out) > 1:
                kill(int(out[1]))
            return None, None, started
        return float(out[0]), int(out[1]), started

    def map_time(self, command, lang):
        times, rss = [], []
        for _ in range(self.args.runs):
            ms, pid, _ = self.start(command, lang)
            if pid is None:
                continue
            times.append(ms)
            settle(pid, quiet=0.2, limit=5)
            rss.append(peak_rss_mib(pid))
            kill(pid)
        if not times:
            return None, None
        return statistics.median(times), max(rss)

    def idle_cpu(self, command, stdin=None, seconds=10.0):
        _, pid, _ = self.start(command, "C", stdin=stdin)
        if pid is None:
            return None
        settle(pid, quiet=0.5, limit=10)
        before = cpu_seconds(pid)
        time.sleep(seconds)
        used = cpu_seconds(pid) - before
        kill(pid)
        return 100.0 * used / seconds

    def growing_cpu(self, command_for, seconds=10.0, rate=200, via_pipe=False):
        path = os.path.join(self.args.tmp, "grow.log")
        open(path, "w").close()
        feeder = None
        if via_pipe:
            feeder = subprocess.Popen(["tail", "-n", "+1", "-f", path], stdout=subprocess.PIPE)
            _, pid, _ = self.start(command_for("-"), "C", stdin=feeder.stdout)
        else:
            _, pid, _ = self.start(command_for(path), "C")
        if pid is None:
            return None
        settle(pid, quiet=0.3, limit=10)
        before = cpu_seconds(pid)
        started = time.monotonic()
        n = 0
        with open(path, "a", buffering=1) as f:
            while time.monotonic() - started < seconds:
                f.write("%08d a log line at two hundred lines per second, with some text\n" % n)
                n += 1
                time.sleep(max(0.0, started + n / rate - time.monotonic()))
        used = cpu_seconds(pid) - before
        kill(pid)
        if feeder:
            feeder.kill()
            feeder.wait()
        return 100.0 * used / seconds

    def show_big(self, command):
        ms, pid, started = self.start(command, "C", timeout=120)
        if pid is None:
            return None
        done = settle(pid, quiet=0.5, limit=120)
        kill(pid)
        return done - started


def fmt(value, unit="", digits=1):
    return "n/a" if value is None else ("%.*f%s" % (digits, value, unit))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--xpicker", required=True)
    parser.add_argument("--runs", type=int, default=10)
    parser.add_argument("--big-mb", type=int, default=50)
    parser.add_argument("--skip-zenity", action="store_true")
    args = parser.parse_args()
    args.tmp = tempfile.mkdtemp(prefix="xpicker-bench-")
    mapwatch = os.path.join(args.tmp, "mapwatch")
    subprocess.run(["g++", "-O2", "-o", mapwatch, os.path.join(HERE, "mapwatch.cpp"), "-lX11"], check=True)

    big = os.path.join(args.tmp, "big.log")
    with open(big, "w") as f:
        line, written, i = "", 0, 0
        while written < args.big_mb * 1024 * 1024:
            line = "%08d some log line text with a few words in it, number %d and more\n" % (i, i * 7)
            f.write(line)
            written += len(line)
            i += 1

    x = Xvfb()
    env = dict(os.environ, DISPLAY=x.display)
    bench = Bench(args, env, mapwatch)
    xp = os.path.abspath(args.xpicker)
    have_zenity = shutil.which("zenity") and not args.skip_zenity
    rows = []
    try:
        dialogs = [
            ("xpicker -question", [xp, "-question", "Continue?", "-choice", "yes", "", "-choice", "no", ""]),
            ("xpicker -message", [xp, "-message", "OK", "Done."]),
            ("xmessage", ["xmessage", "Done."]),
        ]
        if have_zenity:
            dialogs.append(("zenity --info", ["zenity", "--info", "--text", "Done."]))
        for name, command in dialogs:
            utf8, rss1 = bench.map_time(command, "C.UTF-8")
            plain, rss2 = bench.map_time(command, "C")
            rss = max(r for r in (rss1, rss2) if r is not None) if (rss1 or rss2) else None
            rows.append((name, "map ms (UTF-8 / C), peak RSS",
                         "%s / %s, %s" % (fmt(utf8, " ms"), fmt(plain, " ms"), fmt(rss, " MiB"))))

        small = os.path.join(args.tmp, "idle.log")
        with open(small, "w") as f:
            f.write("one line\n")
        rows.append(("xpicker -tail file", "idle CPU over 10 s", fmt(bench.idle_cpu([xp, "-tail", "x", small]), " %", 2)))
        r, w = os.pipe()
        rows.append(("xpicker -tail pipe", "idle CPU over 10 s",
                     fmt(bench.idle_cpu([xp, "-tail", "x", "-"], stdin=r), " %", 2)))
        os.close(r)
        os.close(w)
        rows.append(("xpicker -tail file", "CPU at 200 lines/s",
                     fmt(bench.growing_cpu(lambda p: [xp, "-tail", "x", p]), " %", 2)))
        rows.append(("xpicker -tail pipe", "CPU at 200 lines/s",
                     fmt(bench.growing_cpu(lambda p: [xp, "-tail", "x", p], via_pipe=True), " %", 2)))
        if have_zenity:
            r, w = os.pipe()
            rows.append(("zenity --text-info pipe", "idle CPU over 10 s",
                         fmt(bench.idle_cpu(["zenity", "--text-info", "--auto-scroll"], stdin=r), " %", 2)))
            os.close(r)
            os.close(w)
            rows.append(("zenity --text-info pipe", "CPU at 200 lines/s",
                         fmt(bench.growing_cpu(lambda p: ["zenity", "--text-info", "--auto-scroll"], via_pipe=True),
                             " %", 2)))

        label = "%d MB log" % args.big_mb
        rows.append(("xpicker -log", "show " + label, fmt(bench.show_big([xp, "-log", "x", big]), " s", 2)))
        rows.append(("xpicker -tail", "show %s at its end" % label,
                     fmt(bench.show_big([xp, "-tail", "x", big]), " s", 2)))
        rows.append(("xmessage -file", "show " + label, fmt(bench.show_big(["xmessage", "-file", big]), " s", 2)))
        if have_zenity:
            rows.append(("zenity --text-info", "show " + label,
                         fmt(bench.show_big(["zenity", "--text-info", "--filename", big]), " s", 2)))
    finally:
        x.stop()
        shutil.rmtree(args.tmp, ignore_errors=True)

    width = max(len(r[0]) for r in rows)
    what = max(len(r[1]) for r in rows)
    for name, measure, value in rows:
        print("%-*s  %-*s  %s" % (width, name, what, measure, value))
    return 0


if __name__ == "__main__":
    sys.exit(main())
