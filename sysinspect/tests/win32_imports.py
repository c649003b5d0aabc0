#!/usr/bin/env python3
"""The shipped 32-bit programs load on Windows 95 retail and NT 4.0 RTM.

Usage: win32_imports.py OBJDUMP EXPORTS_DIR REVIEWED PROGRAM.exe:SUBSYSTEM...

Every load-time import must be exported by its DLL on both releases: the
export-name lists of the real DLLs (EXPORTS_DIR/win95, EXPORTS_DIR/nt4, one
NAME.txt per DLL) say so, or, where a release has no list for that DLL or its
list is known to miss names, the reviewed allow-list REVIEWED does, with a
reason for each name. Anything else (a DLL of neither, an entry of neither)
fails: Windows would refuse to start the program ("linked to missing
export"). Each image must also be PE32 for i386 with the given subsystem,
asking for no release after 4.0.
"""
import os
import re
import subprocess
import sys

RELEASES = ("win95", "nt4")


def run(*args):
    return subprocess.run(args, check=True, capture_output=True, text=True).stdout


def imports(objdump, image):
    """{DLL (upper case): [names]} of the load-time imports."""
    table, dll = {}, None
    for line in run(objdump, "-p", image).splitlines():
        match = re.match(r"\s*DLL Name: (\S+)", line)
        if match:
            dll = match.group(1).upper()
            table.setdefault(dll, [])
            continue
        match = re.match(r"^\s+[0-9a-f]+\s+(\d+)\s+(\S+)\s*$", line)
        if dll and match:
            table[dll].append(match.group(2))
        elif dll and re.match(r"^\s+[0-9a-f]+\s+<none>\s+([0-9a-f]+)", line):
            table[dll].append("#ordinal")
    return table


def export_lists(directory):
    """{(release, DLL): set of names} from the NAME.txt files."""
    lists = {}
    for release in RELEASES:
        folder = os.path.join(directory, release)
        for file in os.listdir(folder):
            if not file.endswith(".txt") or file.endswith(".ordinal-only.txt"):
                continue
            dll = file[:-4].upper()
            if "." not in dll:
                dll += ".DLL"
            with open(os.path.join(folder, file)) as names:
                lists[(release, dll)] = {n.strip() for n in names if n.strip()}
    return lists


def reviewed_list(path):
    """{(release, DLL): set of names}: lines 'DLL RELEASES NAME REASON...'."""
    reviewed = {}
    with open(path) as lines:
        for number, line in enumerate(lines, 1):
            line = line.split("#", 1)[0].strip()
            if not line:
                continue
            fields = line.split()
            if len(fields) < 4:
                raise SystemExit(f"{path}:{number}: want DLL RELEASES NAME REASON")
            dll, releases, name = fields[0].upper(), fields[1].split(","), fields[2]
            if "." not in dll:
                dll += ".DLL"
            for release in releases:
                if release not in RELEASES:
                    raise SystemExit(f"{path}:{number}: unknown release {release}")
                reviewed.setdefault((release, dll), set()).add(name)
    return reviewed


def check(objdump, lists, reviewed, image, subsystem):
    problems = []
    header = run(objdump, "-f", image)
    if "file format pei-i386" not in header:
        problems.append("not a PE32 i386 image")
    if not re.search(rf"Subsystem\s.*\({re.escape(subsystem)}\)", run(objdump, "-p", image)):
        problems.append(f"subsystem is not {subsystem}")
    # Windows 95 and NT 4.0 refuse an image that asks for a later release.
    for field in ("MajorOSystemVersion", "MajorSubsystemVersion"):
        match = re.search(rf"^{field}\s+(\d+)", run(objdump, "-p", image), re.M)
        if not match or int(match.group(1)) > 4:
            problems.append(f"{field} is not 4 or less")
    table = imports(objdump, image)
    count = 0
    for dll, names in sorted(table.items()):
        for name in names:
            count += 1
            for release in RELEASES:
                listed = lists.get((release, dll))
                if listed is not None and name in listed:
                    continue
                if name in reviewed.get((release, dll), ()):
                    continue
                where = "its export list" if listed is not None else "the reviewed list (no export list)"
                problems.append(f"{dll}!{name} is not in {release} {where}")
    for problem in problems:
        print(f"{image}: {problem}")
    print(f"{image}: {count} imports from {', '.join(sorted(table))}")
    return 1 if problems or count == 0 else 0


def main():
    objdump, exports, reviewed_path, programs = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
    lists, reviewed = export_lists(exports), reviewed_list(reviewed_path)
    failed = 0
    for program in programs:
        image, subsystem = program.rsplit(":", 1)
        failed += check(objdump, lists, reviewed, image, subsystem)
    print(f"imports: {len(programs) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
