#!/usr/bin/env python3
"""The shipped programs run on an i486: no instruction of a later processor
in their code, our own or the runtime's.

Usage: win32_i486_code.py OBJDUMP PROGRAM.exe...

Each PROGRAM.exe has a PROGRAM.symbols.exe beside it (the same image before
stripping, whose .text must be the same bytes): its function symbols name the
offenders and tell code from data placed in .text. CPUID and RDTSC are
Pentium-era instructions that the programs use behind their presence tests;
they may appear only in the functions reviewed for that, listed below.
"""
import bisect
import re
import subprocess
import sys
import tempfile

# Mnemonics (as objdump prints them) that the i486 does not execute.
FORBIDDEN_PREFIXES = (
    "cmov", "fcmov",                     # Pentium Pro conditional moves
    "pf", "pi2f", "pswap",               # 3DNow!
)
FORBIDDEN = {
    "fcomi", "fcomip", "fucomi", "fucomip",             # Pentium Pro compares
    "nopl", "nopw",                                     # 0F 1F multi-byte NOP (P6)
    "endbr32", "endbr64",                               # 0F 1E hint NOP (P6)
    "sysenter", "sysexit", "rdpmc", "fxsave", "fxrstor", "ud2a",
    "cmpxchg8b", "rdmsr", "wrmsr", "rsm",               # Pentium
    "emms", "femms", "prefetch", "prefetchw", "prefetchnta", "prefetcht0", "prefetcht1",
    "prefetcht2", "lfence", "sfence", "mfence", "clflush", "movnti", "ldmxcsr", "stmxcsr",
    "popcnt", "lzcnt", "tzcnt", "movbe", "crc32", "xgetbv", "rdrand", "rdseed", "rdtscp",
}
VECTOR_REGISTER = re.compile(r"%(x|y|z)?mm\d")
# Where CPUID and RDTSC may stand: behind the EFLAGS ID-bit test and the
# time-stamp counter flag of the processor layer.
GUARDED = {"cpuid", "rdtsc"}
GUARDED_IN = re.compile(r"Win32Processor|CpuIdPresent|TimeStampCounterPresent")

INSTRUCTION = re.compile(r"^\s*([0-9a-f]+):\s+(?:(?:rep[nez]*|lock|data16|addr16|[cdefgs]s)\s+)*([a-z0-9.]+)\s*(.*)$")


def run(*args):
    return subprocess.run(args, check=True, capture_output=True, text=True).stdout


def functions(objdump, image):
    """Sorted (address, name, is_function) of the symbols in .text."""
    text_index = None
    for line in run(objdump, "-h", image).splitlines():
        fields = line.split()
        if len(fields) > 1 and fields[1] == ".text":
            text_index = int(fields[0]) + 1
    symbols = []
    # [  5](sec  1)(fl 0x00)(ty   20)(scl   2) (nx 0) 0x00001000 _name
    pattern = re.compile(r"\(sec\s+(-?\d+)\)\(fl 0x[0-9a-f]+\)\(ty\s+([0-9a-f]+)\)\(scl\s+(\d+)\)\s+\(nx \d+\)\s+0x([0-9a-f]+)\s+(\S+)")
    base = image_base(objdump, image)
    for line in run(objdump, "-t", image).splitlines():
        match = pattern.search(line)
        if not match or int(match.group(1)) != text_index:
            continue
        kind, storage = int(match.group(2), 16), int(match.group(3))
        if storage not in (2, 3, 6):  # external, static, label
            continue
        address = base + text_start(objdump, image) + int(match.group(4), 16)
        symbols.append((address, match.group(5), kind == 0x20))
    symbols.sort()
    return symbols


def image_base(objdump, image):
    match = re.search(r"^ImageBase\s+([0-9a-f]+)", run(objdump, "-p", image), re.M)
    return int(match.group(1), 16)


def text_start(objdump, image):
    for line in run(objdump, "-h", image).splitlines():
        fields = line.split()
        if len(fields) > 3 and fields[1] == ".text":
            return int(fields[3], 16) - image_base(objdump, image)
    raise SystemExit(f"{image}: no .text section")


def text_bytes(objdump, image):
    objcopy = objdump.replace("objdump", "objcopy")
    with tempfile.NamedTemporaryFile() as out:
        run(objcopy, "-O", "binary", "--only-section=.text", image, out.name)
        return out.read()


def offending(mnemonic, operands):
    if mnemonic in GUARDED:
        return None
    if mnemonic in FORBIDDEN or mnemonic.startswith(FORBIDDEN_PREFIXES):
        return mnemonic
    if VECTOR_REGISTER.search(operands):
        return f"{mnemonic} {operands}"
    return None


def check(objdump, program):
    symbols_image = re.sub(r"\.exe$", ".symbols.exe", program)
    if text_bytes(objdump, program) != text_bytes(objdump, symbols_image):
        print(f"{program}: .text differs from {symbols_image}")
        return 1
    symbols = functions(objdump, symbols_image)
    addresses = [s[0] for s in symbols]
    found = {}  # function -> offending instructions
    guarded = {}  # function -> CPUID/RDTSC count, where they are allowed
    counted = 0
    for line in run(objdump, "-d", "--no-show-raw-insn", "-j", ".text", symbols_image).splitlines():
        match = INSTRUCTION.match(line)
        if not match:
            continue
        address, mnemonic, operands = int(match.group(1), 16), match.group(2), match.group(3)
        at = bisect.bisect_right(addresses, address) - 1
        name, is_function = (symbols[at][1], symbols[at][2]) if at >= 0 else ("?", True)
        if not is_function:
            continue  # data the linker placed in .text (tables, lists)
        counted += 1
        bad = offending(mnemonic, operands)
        if mnemonic in GUARDED:
            if GUARDED_IN.search(name):
                guarded[name] = guarded.get(name, 0) + 1
            else:
                bad = f"{mnemonic} outside the processor layer's presence tests"
        if bad:
            found.setdefault(name, []).append(f"{address:08x} {bad}")
    for name, lines in sorted(found.items()):
        print(f"{program}: {name}: {len(lines)} instruction(s) the i486 lacks: {', '.join(lines[:4])}")
    for name, count in sorted(guarded.items()):
        print(f"{program}: {name}: {count} CPUID/RDTSC behind the presence tests")
    total = sum(len(v) for v in found.values())
    print(f"{program}: {counted} instructions, {total} beyond the i486 in {len(found)} function(s)")
    return 1 if total or counted == 0 else 0


def main():
    objdump, programs = sys.argv[1], sys.argv[2:]
    failed = sum(check(objdump, p) for p in programs)
    print(f"i486 code: {len(programs) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
