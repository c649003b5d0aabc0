#!/usr/bin/env python3
"""Checks that the database holds what an inventory request says.

Usage: compare_inventory.py REQUEST.xml CLIENT.cnf DATABASE [REPORT.xml]

REQUEST.xml is the request as the reporter wrote it (read by Python's XML
parser, which decodes it from the encoding its declaration names); the
machine is the hardware row of its DEVICEID. For each section of the
request that the server keeps in a table of its own, the rows of that table
for the machine must be the request's entries, field for field, for every
field that the table has a column of (a field the request leaves out is an
empty column). Prints "ok - ..." or "FAIL - ..." per section; the exit
status is the number of failures.

With REPORT.xml (the reporter's report of the same machine, written in the
same run) the hardware row's NAME, OSNAME, MEMORY and PROCESSORT are also
checked against what the report says of the machine, memory and processor.
"""

import collections
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

# section of the request  -> table
TABLES = {
    "HARDWARE": "hardware",
    "BIOS": "bios",
    "CPUS": "cpus",
    "MEMORIES": "memories",
    "STORAGES": "storages",
    "DRIVES": "drives",
    "NETWORKS": "networks",
    "PRINTERS": "printers",
    "VIDEOS": "videos",
    "MONITORS": "monitors",
    "SOUNDS": "sounds",
    "CONTROLLERS": "controllers",
    "SLOTS": "slots",
    "PORTS": "ports",
}
# Columns the server computes itself rather than copying from the request.
COMPUTED = {"ID", "HARDWARE_ID", "DEVICEID", "LASTDATE", "LASTCOME", "CHECKSUM", "USERAGENT", "QUALITY",
            "FIDELITY", "IPADDR", "IPSRC", "ARCHIVE", "ETIME", "SSTATE", "UUID"}
# Software: the server files names, publishers and versions in tables of their own.
SOFTWARE_SQL = """SELECT n.NAME, p.PUBLISHER, v.VERSION
  FROM software s JOIN software_name n ON n.ID = s.NAME_ID
  JOIN software_publisher p ON p.ID = s.PUBLISHER_ID JOIN software_version v ON v.ID = s.VERSION_ID
  WHERE s.HARDWARE_ID = {id}"""


class Database:
    def __init__(self, client_cnf, name):
        self.command = ["mariadb", "--defaults-file=" + client_cnf, "--default-character-set=utf8mb4",
                        "--batch", "--raw", "--skip-column-names", name]

    def rows(self, sql):
        out = subprocess.run(self.command + ["-e", sql], check=True, capture_output=True).stdout
        return [tuple(line.split("\t")) for line in out.decode("utf-8").split("\n") if line != ""]

    def columns(self, table):
        return {name.upper(): kind for name, kind in
                self.rows("SELECT COLUMN_NAME, DATA_TYPE FROM information_schema.COLUMNS "
                          "WHERE TABLE_SCHEMA = DATABASE() AND TABLE_NAME = '%s'" % table)}


def column_sql(column, kind):
    if kind in ("date", "datetime", "timestamp"):
        return "COALESCE(DATE_FORMAT(`%s`, '%%Y-%%m-%%d'), '')" % column
    return "COALESCE(CAST(`%s` AS CHAR), '')" % column


def text(element):
    return (element.text or "").strip()


def report_data(root, element, name):
    found = root.find(".//%s/data[@name='%s']" % (element, name))
    return text(found) if found is not None else ""


def hardware_from_report(report_file):
    """NAME, OSNAME prefix, MEMORY and PROCESSORT as the report gives them."""
    root = ElementTree.parse(report_file).getroot()
    os_name = root.get("os", "")
    for cut in (" Service Pack", " ("):
        os_name = os_name.split(cut)[0]
    megabytes = int(report_data(root, "Memory", "PhysicalTotal") or 0)
    return {
        "NAME": report_data(root, "Machine", "Name"),
        "OSNAME": "Microsoft " + os_name,
        "MEMORY": str((megabytes + (1 << 19)) >> 20),
        "PROCESSORT": report_data(root, "CPU", "FriendlyName"),
        "machine": root.get("machine", ""),
    }


def main():
    request_file, client_cnf, database = sys.argv[1:4]
    report_file = sys.argv[4] if len(sys.argv) > 4 else None
    db = Database(client_cnf, database)
    root = ElementTree.parse(request_file).getroot()
    deviceid = text(root.find("DEVICEID"))
    content = root.find("CONTENT")
    ids = db.rows("SELECT ID FROM hardware WHERE DEVICEID = '%s'" % deviceid.replace("'", "''"))
    failures = 0

    def report(ok, what, detail=""):
        nonlocal failures
        if ok:
            print("ok - %s" % what)
        else:
            failures += 1
            print("FAIL - %s%s" % (what, ": " + detail if detail else ""))

    report(len(ids) == 1, "one hardware row for %s" % deviceid, "%d rows" % len(ids))
    if len(ids) != 1:
        return failures
    hardware_id = ids[0][0]

    if report_file:
        expected = hardware_from_report(report_file)
        name, os_name, memory, processor = db.rows(
            "SELECT COALESCE(NAME, ''), COALESCE(OSNAME, ''), MEMORY, COALESCE(PROCESSORT, '') "
            "FROM hardware WHERE ID = %s" % hardware_id)[0]
        report(name == expected["NAME"] and name.upper() == expected["machine"].upper(),
               "hardware NAME is the report's machine name %s" % expected["NAME"], name)
        report(os_name.startswith(expected["OSNAME"]), "hardware OSNAME begins %s" % expected["OSNAME"], os_name)
        report(memory == expected["MEMORY"], "hardware MEMORY is the report's %s MB" % expected["MEMORY"], memory)
        report(processor == expected["PROCESSORT"], "hardware PROCESSORT is the report's '%s'" % expected["PROCESSORT"],
               processor)

    entries = collections.defaultdict(list)
    for element in content:
        entries[element.tag].append({field.tag: text(field) for field in element})

    for section, table in TABLES.items():
        columns = db.columns(table)
        fields = sorted({f for entry in entries.get(section, []) for f in entry if f in columns} - COMPUTED)
        if section == "HARDWARE":
            where = "ID = %s" % hardware_id
        else:
            where = "HARDWARE_ID = %s" % hardware_id
        if not fields:  # a section the request lacks: the table holds nothing of the machine
            count = db.rows("SELECT COUNT(*) FROM %s WHERE %s" % (table, where))[0][0]
            report(section == "HARDWARE" or count == "0", "%s: no entries, no rows" % section, count + " rows")
            continue
        sql = "SELECT %s FROM %s WHERE %s" % (", ".join(column_sql(f, columns[f]) for f in fields), table, where)
        stored = sorted(db.rows(sql) if len(fields) > 1 else [(r[0] if r else "",) for r in db.rows(sql)])
        sent = sorted(tuple(entry.get(f, "") for f in fields) for entry in entries[section])
        detail = ""
        if stored != sent:
            detail = "fields %s\n    sent:   %s\n    stored: %s" % (fields, sent, stored)
        report(stored == sent, "%s: %d entries as %s rows (%s)" % (section, len(sent), table, ", ".join(fields)),
               detail)

    softwares = entries.get("SOFTWARES", [])
    sent = sorted((e.get("NAME", ""), e.get("PUBLISHER", ""), e.get("VERSION", "")) for e in softwares)
    stored = sorted(tuple(r) + ("",) * (3 - len(r)) for r in db.rows(SOFTWARE_SQL.format(id=hardware_id)))
    report(stored == sent, "SOFTWARES: %d entries as software rows (name, publisher, version)" % len(sent),
           "\n    sent:   %s\n    stored: %s" % (sent, stored))

    tag = [e.get("KEYVALUE", "") for e in entries.get("ACCOUNTINFO", []) if e.get("KEYNAME") == "TAG"]
    stored_tag = db.rows("SELECT COALESCE(TAG, '') FROM accountinfo WHERE HARDWARE_ID = %s" % hardware_id)
    if tag:
        report(stored_tag == [(tag[0],)], "ACCOUNTINFO: TAG %s" % tag[0], str(stored_tag))
    return failures


if __name__ == "__main__":
    sys.exit(main())
