#!/usr/bin/env python3
"""The device titles the Devices topic should list and the ones it did.

  device_list.py registry ENUM.txt CLASS.txt   started devices of `reg query /s` outputs
  device_list.py report REPORT.xml             the device sections of a report

Each prints one "class title | device title" line per device, sorted. From
the registry: every instance key (ENUMERATOR\\DEVICE\\INSTANCE under Enum)
with a "Control" subkey, whose class name (the "Class" of its class key, else
its own) is not blank; the class title is the class key's description, or
the class name; the device title is FriendlyName, or DeviceDesc.
"""

import re
import sys
import xml.etree.ElementTree as ET

VALUE = re.compile(r"^    (.*?)    (REG_[A-Z_]+)    ?(.*)$")


def read_keys(path):
    """`reg query /s` output: key path (upper case) -> (path, {value name (lower): data})."""
    keys = {}
    current = None
    with open(path, encoding="utf-8", errors="replace") as f:
        for line in f:
            line = line.rstrip("\r\n")
            if line.startswith("HKEY_"):
                current = keys.setdefault(line.upper(), (line, {}))[1]
            elif current is not None:
                m = VALUE.match(line)
                if m:
                    current[m.group(1).lower()] = m.group(3)
    return keys


def children(keys, parent):
    prefix = parent.upper() + "\\"
    return [k for k in keys if k.startswith(prefix) and "\\" not in k[len(prefix):]]


def registry(enum_path, class_path):
    enum = read_keys(enum_path)
    classes = read_keys(class_path)
    class_of = {}
    for key, (path, values) in classes.items():
        guid = path.rsplit("\\", 1)[1].upper()
        class_of[guid] = values
    root = "HKEY_LOCAL_MACHINE\\SYSTEM\\CURRENTCONTROLSET\\ENUM"
    lines = []
    for enumerator in children(enum, root):
        for device in children(enum, enumerator):
            for instance in children(enum, device):
                if instance + "\\CONTROL" not in enum:
                    continue
                values = enum[instance][1]
                class_key = class_of.get(values.get("classguid", "").upper())
                name = (class_key or {}).get("class", "") or values.get("class", "")
                if not name.strip():
                    continue
                title = (class_key or {}).get("(default)", "") if class_key else ""
                title = title if title.strip() else name
                device_title = values.get("friendlyname", "")
                device_title = device_title if device_title.strip() else values.get("devicedesc", "")
                lines.append("%s | %s" % (title, device_title))
    return sorted(lines)


def report(path):
    devices = ET.parse(path).getroot().find("Devices")
    lines = []
    for group in devices.findall("section"):
        for device in group.findall("section"):
            lines.append("%s | %s" % (group.get("name"), device.get("name")))
    return sorted(lines)


def main():
    if len(sys.argv) >= 3 and sys.argv[1] == "report":
        out = report(sys.argv[2])
    elif len(sys.argv) >= 4 and sys.argv[1] == "registry":
        out = registry(sys.argv[2], sys.argv[3])
    else:
        sys.exit(__doc__)
    for line in out:
        print(line)


if __name__ == "__main__":
    main()
