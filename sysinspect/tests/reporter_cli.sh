#!/usr/bin/env bash
# The console reporter on profiles: its command line, clear errors for bad
# profiles, and well-formed reports that a parser reads back with the right
# characters on Western, Polish and Russian machines.
set -uo pipefail
reporter=$(readlink -f "$1")
profiles=$(readlink -f "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0

check() {
  local name=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
  else
    echo "FAILED: $name"
    failed=$((failed + 1))
  fi
}

# expect_status STATUS PATTERN -- command...: exit status and a message on stderr.
expect_status() {
  local want=$1 pattern=$2
  shift 3
  local out status
  out=$("$@" 2>&1 >/dev/null)
  status=$?
  [ "$status" -eq "$want" ] || { echo "  status $status, expected $want: $out"; return 1; }
  grep -q -- "$pattern" <<<"$out" || { echo "  message does not name '$pattern': $out"; return 1; }
}

help_text() {
  local out
  out=$("$reporter" --help) || return 1
  grep -q -- "--profile DIR" <<<"$out" && grep -q "_SystemInfo.xml" <<<"$out"
}

root_attr() { xmllint --xpath "string(/classes/@$2)" "$1"; }

# report NAME: the report of a profile, well-formed and with CR LF lines.
report() {
  local profile=$1 out="$work/$1.xml"
  "$reporter" --profile "$profiles/$profile" "$out" >"$out.stdout" || return 1
  xmllint --noout "$out" || return 1
  [ "$(tail -c 2 "$out" | od -An -tx1 | tr -d ' ')" = "0d0a" ] || { echo "  no CR LF at the end"; return 1; }
  ! grep -q $'[^\r]$' "$out" || { echo "  a line without CR"; return 1; }
  [ "$(head -c 3 "$out" | od -An -tx1 | tr -d ' ')" != "efbbbf" ] || { echo "  byte-order mark written"; return 1; }
}

# expect_root PROFILE ATTRIBUTE VALUE: the attribute as a parser reads it (UTF-8).
expect_root() {
  local got
  got=$(root_attr "$work/$1.xml" "$2")
  [ "$got" = "$3" ] || { echo "  $1 $2: got '$got', expected '$3'"; return 1; }
}

declared_encoding() { head -n1 "$work/$1.xml" | sed -n 's/.*encoding="\([^"]*\)".*/\1/p'; }

expect_encoding() {
  local got
  got=$(declared_encoding "$1")
  [ "$got" = "$2" ] || { echo "  $1 encoding: got '$got', expected '$2'"; return 1; }
}

# The bytes on disk are the ANSI code page's, not UTF-8.
expect_bytes() {
  grep -q "$(printf "$2")" "$work/$1.xml" || { echo "  $1: bytes $2 not found"; return 1; }
}

# expect_disk PROFILE LETTER NAME VALUE: a line of a drive's section, as a parser reads it.
expect_disk() {
  local got
  got=$(xmllint --xpath "string(//Disk/section[@name='Disk_$2']/data[@name='$3'])" "$work/$1.xml")
  [ "$got" = "$4" ] || { echo "  $1 Disk_$2 $3: got '$got', expected '$4'"; return 1; }
}

# expect_xpath PROFILE XPATH VALUE: a value of the report as a parser reads it.
expect_xpath() {
  local got
  got=$(xmllint --xpath "$2" "$work/$1.xml")
  [ "$got" = "$3" ] || { echo "  $1 $2: got '$got', expected '$3'"; return 1; }
}

default_name() {
  # The computer name's ANSI bytes, upper-cased, make the file name.
  (cd "$work" && "$reporter" --profile "$profiles/western" >/dev/null) && [ -s "$work/$(printf 'CAF\xe9-PC')_SystemInfo.xml" ]
}

check "help" help_text
check "no profile directory" expect_status 2 "no-such-dir" -- "$reporter" --profile "$work/no-such-dir" "$work/x.xml"
check "unparsable registry line" expect_status 2 "registry.reg:5" -- "$reporter" --profile "$profiles/bad-reg" "$work/x.xml"
check "unparsable machine.ini line" expect_status 2 "machine.ini:3" -- "$reporter" --profile "$profiles/bad-ini" "$work/x.xml"
check "unknown code page" expect_status 2 "machine.ini" -- "$reporter" --profile "$profiles/bad-codepage" "$work/x.xml"
check "unknown option" expect_status 2 "--frobnicate" -- "$reporter" --frobnicate
check "no profile given" expect_status 2 "--profile" -- "$reporter" "$work/x.xml"
check "unwritable report" expect_status 1 "cannot write" -- "$reporter" --profile "$profiles/western" "$work/missing/dir/x.xml"

check "western report" report western
check "western encoding" expect_encoding western windows-1252
check "western machine" expect_root western machine "CAFé-PC"
check "western os" expect_root western os "Windows XP Service Pack 3 (5.1.2600)"
check "western bytes" expect_bytes western 'CAF\xe9-PC'
check "default file name" default_name
check "western drive label" expect_disk western C VolumeLabel "Zoë's disk"
check "western drive capacity" expect_disk western C Capacity 80026361856
check "western empty CD drive" expect_disk western D Type CDROM
check "western media devices" expect_xpath western 'string(//Media/section[@name="Devices"]/data[@name="Count"])' 2
check "western MIDI out" expect_xpath western 'string(//Media//data[@name="MIDIOut[1]"])' \
  "Microsoft GS Wavetable SW Synth v1.0"
check "western mixer" expect_xpath western 'string(//Media//data[@name="Mixer[0]"])' "SB Live! Mixer v5.10"
check "western DirectX" expect_xpath western 'string(/classes/DirectX/data[@name="Version"])' "4.09.00.0904"
check "western ASPI version" expect_xpath western 'string(/classes/ASPI32/data[@name="Version"])' "4.60.1021.0"
check "western ASPI CD-ROM" expect_xpath western 'string(//ASPI32/section[@name="Device_1"]/data[@name="Product"])' \
  "CD-ROM PX-40TS  "
check "western ASPI disk in the IDE element" expect_xpath western \
  'string(//IDE/section[@name="Primary Master"]/data[@name="ModelNumber"]/@source)' ASPI
check "western DAO" expect_xpath western 'string(//Engines/data[@name="DAO"])' 3.6
check "western no ADO server started" expect_xpath western 'count(//Engines/data[@name="ADO"])' 0

check "polish report" report polish
check "polish encoding" expect_encoding polish windows-1250
check "polish machine" expect_root polish machine "łóDź-01"
check "polish os" expect_root polish os "Windows 2000 Service Pack 4 (5.0.2195)"
check "polish bytes" expect_bytes polish '\xb3\xf3D\x9f-01'
check "polish devices" expect_xpath polish 'string(//Devices/data[@name="Count"])' 4
check "polish device resources" expect_xpath polish 'count(//DeviceResources/section/data)' 12
check "polish device title" expect_xpath polish 'string(//Devices/section[@name="Karty sieciowe"]/section/@name)' \
  "Połączenie lokalne (RTL8139)"

check "russian report" report russian
check "russian encoding" expect_encoding russian windows-1251
check "russian machine" expect_root russian machine "бухгалтерия"
check "russian os" expect_root russian os "Windows 98 Second Edition (4.10.2222)"
check "russian bytes" expect_bytes russian '\xe1\xf3\xf5'
check "russian drive label" expect_disk russian C VolumeLabel "СИСТЕМА"
check "russian drive serial" expect_disk russian C SerialNumber "1E5B-0C17"
check "russian devices" expect_xpath russian 'string(//Devices/data[@name="Count"])' 5
check "russian device class" expect_xpath russian 'count(//Devices/section[@name="Системные устройства"]/section)' 2
check "russian no device resources" expect_xpath russian 'count(//DeviceResources)' 0
check "russian last elements" expect_xpath russian \
  "concat(name(/classes/*[last()-2]), ' ', name(/classes/*[last()-1]), ' ', name(/classes/*[last()]))" "Printers Software Startup"
check "russian printers" expect_xpath russian "count(//Printers/data)" 3
check "russian default printer" expect_xpath russian "string(//Printers/data[@name='Лазерный принтер (Default)'])" "LPT1:"
check "russian network printer" expect_xpath russian "string(//Printers/data[@name='\\\\БУХ\\Матричный'])" "\\\\БУХ\\Матричный"
check "russian startup link" expect_xpath russian "string(//section[@name='UserStartup']/data[@name='Почта'])" \
  'C:\Program Files\Почта\mail.exe /ящик "Входящие"'
check "russian win.ini" expect_xpath russian "string(//section[@name='WIN_INI']/data[@name='run'])" 'C:\WINDOWS\Часы.exe'
check "russian system.ini" expect_xpath russian "string(//section[@name='SYSTEM_INI']/data[@name='shell'])" 'Explorer.exe'

check "w2k-lan report" report w2k-lan
check "w2k-lan adapter" expect_xpath w2k-lan 'string(//Display/data[@name="Adapter"])' "S3 Graphics Savage4"
check "w2k-lan BIOS string" expect_xpath w2k-lan 'string(//Display/data[@name="BIOSString"])' "Version 1.04"
check "w2k-lan video memory" expect_xpath w2k-lan 'string(//Display/data[@name="MemorySize"])' 33554432
check "w2k-lan modes" expect_xpath w2k-lan 'string(//Display/section[@name="VideoModes"]/data[@name="Count"])' 3
check "w2k-lan card" expect_xpath w2k-lan 'string(//Network/section[@name="Adapters"]/data[2])' "Połączenie lokalne (RTL8139)"
check "w2k-lan protocol" expect_xpath w2k-lan 'string(//Network/section[@name="Protocols"]/data[2])' "Protokół internetowy (TCP/IP)"
check "w2k-lan one MAC for two LANAs" expect_xpath w2k-lan \
  'concat(//Network/section[@name="MACAdresses"]/data[1], " ", //Network/section[@name="MACAdresses"]/data[2])' \
  "1 00:E0:4C:39:1A:2B"
check "w2k-lan DNS servers" expect_xpath w2k-lan 'string(//TCPIP/data[@name="DNSServers"])' "192.168.10.1,194.204.159.1"

check "98se-lan report" report 98se-lan
check "98se-lan DAC" expect_xpath 98se-lan 'string(//Display/data[@name="DAC"])' "Встроенный 360 МГц"
check "98se-lan no refresh rate" expect_xpath 98se-lan 'string(//Display/data[@name="VerticalRefreshRate"])' 0
check "98se-lan client" expect_xpath 98se-lan 'string(//Network/section[@name="Clients"]/data[2])' "Клиент для сетей Microsoft"
check "98se-lan protocols once" expect_xpath 98se-lan 'string(//Network/section[@name="Protocols"]/data[@name="Count"])' 1

echo "reporter: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
