#!/usr/bin/env python3
"""Writes a profile directory of an XP machine with N started devices.

Usage: make_profile.py N DIR

Each device has a class key (eight classes), a driver key, a service (fifty
services shared), a hardware id multi-string, "Device Parameters" and a
resource list in Control\\AllocConfig with a port, an interrupt, a memory
range and a DMA channel (every fourth device also a device-specific block).
The devices are spread over four enumerators, as a real tree is.
"""

import os
import struct
import sys

CLASSES = [
    ("{4D36E968-E325-11CE-BFC1-08002BE10318}", "Display", "Display adapters"),
    ("{4D36E96A-E325-11CE-BFC1-08002BE10318}", "hdc", "IDE ATA/ATAPI controllers"),
    ("{4D36E972-E325-11CE-BFC1-08002BE10318}", "Net", "Network adapters"),
    ("{4D36E978-E325-11CE-BFC1-08002BE10318}", "Ports", "Ports (COM & LPT)"),
    ("{4D36E97D-E325-11CE-BFC1-08002BE10318}", "System", "System devices"),
    ("{36FC9E60-C465-11CF-8056-444553540000}", "USB", "Universal Serial Bus controllers"),
    ("{745A17A0-74D3-11D0-B6FE-00A0C90F57DA}", "HIDClass", "Human Interface Devices"),
    ("{4D36E96C-E325-11CE-BFC1-08002BE10318}", "MEDIA", "Sound, video and game controllers"),
]
ENUMERATORS = ["ACPI", "PCI", "ROOT", "USB"]
SERVICES = 50
ENUM = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Enum"
CLASS_ROOT = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Class"
SERVICE_ROOT = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services"


def hex_bytes(data):
    return ",".join("%02x" % b for b in data)


def multi_string(items):
    return hex_bytes(("\0".join(items) + "\0\0").encode("ascii"))


def resource_list(i):
    descriptors = [
        struct.pack("<BBHQI", 1, 1, 1, 0x1000 + (i % 0xE000), 0x20),
        struct.pack("<BBHIII", 2, 3, 0, i % 24, i % 24, 1),
        struct.pack("<BBHQI", 3, 1, 0, 0xE0000000 + i * 0x1000, 0x1000),
        struct.pack("<BBHIII", 4, 1, 0, i % 8, 0, 0),
    ]
    if i % 4 == 0:
        descriptors.append(struct.pack("<BBHIII", 5, 1, 0, 8, 0, 0) + bytes(8))
    header = struct.pack("<IiIHHI", 1, 5, 0, 1, 1, len(descriptors))
    return header + b"".join(descriptors)


def write_profile(count, directory):
    os.makedirs(directory, exist_ok=True)
    with open(os.path.join(directory, "machine.ini"), "w") as ini:
        ini.write("; %d generated devices (bench/devices/make_profile.py)\n[machine]\nComputerName=BENCH\n" % count)
    lines = ["REGEDIT4", ""]
    for guid, name, title in CLASSES:
        lines += ["[%s\\%s]" % (CLASS_ROOT, guid), '@="%s"' % title, '"Class"="%s"' % name, '"Icon"="-1"', ""]
    for s in range(SERVICES):
        lines += ["[%s\\svc%d]" % (SERVICE_ROOT, s), '"DisplayName"="Bench service %d"' % s, '"Group"="Base"',
                  '"Type"=dword:00000001', ""]
    for i in range(count):
        guid, _, _ = CLASSES[i % len(CLASSES)]
        enumerator = ENUMERATORS[i % len(ENUMERATORS)]
        device = "VEN_8086&DEV_%04X" % (i % 0x10000)
        instance = "%s\\%s\\3&%08x&0&%02X" % (ENUM, enumerator + "\\" + device, i, i % 256)
        driver = "%s\\%04d" % (guid, i)
        lines += [
            "[%s]" % instance,
            '"ClassGUID"="%s"' % guid,
            '"DeviceDesc"="Bench device %d"' % i,
            '"Mfg"="Bench Manufacturing"',
            '"Service"="svc%d"' % (i % SERVICES),
            '"Driver"="%s"' % driver.replace("\\", "\\\\"),
            '"HardwareID"=hex(7):%s' % multi_string(["%s\\%s&REV_%02X" % (enumerator, device, i % 256),
                                                       "%s\\%s" % (enumerator, device)]),
            "",
            "[%s\\Control]" % instance,
            '"AllocConfig"=hex(8):%s' % hex_bytes(resource_list(i)),
            "",
            "[%s\\Device Parameters]" % instance,
            '"InstanceIndex"="%d"' % i,
            "",
            "[%s\\%s]" % (CLASS_ROOT, driver),
            '"DriverDate"="7-1-2001"',
            '"DriverVersion"="5.1.2600.%d"' % i,
            '"ProviderName"="Bench"',
            '"InfPath"="oem%d.inf"' % i,
            "",
        ]
    with open(os.path.join(directory, "registry.reg"), "w", newline="\r\n") as reg:
        reg.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    write_profile(int(sys.argv[1]), sys.argv[2])
