#!/usr/bin/env bash
# Installs what the OCS Inventory NG server tests need (sysinspect/tests/ocs):
# MariaDB, Apache with mod_perl, Debian's ocsinventory-server, the XML parser
# and HTTP client it uses but does not pull in, and the database schema of
# ocsinventory-reports, unpacked to $OCS_SCHEMA_ROOT without installing that
# package's PHP console.
# Idempotent. Leaves no service running or enabled: the tests run private
# instances of their own.
set -euo pipefail

schema_root=${OCS_SCHEMA_ROOT:-/opt/ocs-schema}
packages=(
  mariadb-server mariadb-client
  apache2 libapache2-mod-perl2
  ocsinventory-server
  libxml-parser-perl  # without it every request gets 500 "XMLin() requires ..."
  libwww-perl         # LWP, for ocsinventory-injector.pl
  curl
)
services=(mariadb apache2 apache-htcacheclean)

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
say() { echo "setup-ocs: $*"; }

# apt's long output goes to a log, shown only when a step fails.
log=$(mktemp /tmp/setup-ocs.XXXXXX.log)
quiet() {
  if "$@" >>"$log" 2>&1; then return 0; fi
  tail -n 20 "$log" >&2
  return 1
}

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

# shellcheck source=apt-retry.sh
source "$(dirname "$0")/apt-retry.sh"
APT_WRAP=quiet
APT_SAY=say

# Package scripts must not start services (there may be no init system to
# do it, and the tests want none running): a policy-rc.d that forbids it,
# ours only while we install.
policy=/usr/sbin/policy-rc.d
own_policy=0
forbid_service_starts() {
  if [ ! -e "$policy" ]; then
    printf '#!/bin/sh\n# setup-ocs.sh: no service starts while installing\nexit 101\n' |
      $SUDO tee "$policy" >/dev/null
    $SUDO chmod 755 "$policy"
    own_policy=1
  fi
}
allow_service_starts() {
  if [ "$own_policy" = 1 ]; then $SUDO rm -f "$policy"; fi
}
trap 'allow_service_starts; rm -f "$log"' EXIT

# The services the packages register are switched off at boot.
disable_services() {
  local s
  for s in "${services[@]}"; do
    if [ -d /run/systemd/system ] && command -v systemctl >/dev/null; then
      $SUDO systemctl disable --now "$s" >/dev/null 2>&1 || true
    elif [ -e "/etc/init.d/$s" ] && command -v update-rc.d >/dev/null; then
      $SUDO update-rc.d "$s" disable >/dev/null 2>&1 || true
    fi
  done
}

missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  say "installing ${missing[*]}"
  forbid_service_starts
  apt_update
  apt_install "${missing[@]}"
  allow_service_starts
else
  say "packages already installed"
fi
disable_services
say "services ${services[*]}: not started, disabled at boot"

# The schema: ocsinventory-reports' SQL files only, unpacked from its .deb.
if [ -f "$schema_root/files/ocsbase_new.sql" ] && [ -d "$schema_root/files/update" ]; then
  say "schema already in $schema_root"
else
  say "unpacking the schema of ocsinventory-reports into $schema_root"
  tmp=$(mktemp -d)
  download() { (cd "$tmp" && quiet $SUDO apt-get download ocsinventory-reports); }
  download || { apt_update; download; }
  $SUDO dpkg-deb -x "$tmp"/ocsinventory-reports_*.deb "$tmp/root"
  $SUDO mkdir -p "$schema_root"
  $SUDO rm -rf "$schema_root/files"
  $SUDO cp -r "$tmp/root/usr/share/ocsinventory-reports/files" "$schema_root/files"
  $SUDO rm -rf "$tmp"
fi
say "server handler: $(dpkg-query -W -f='${Package} ${Version}' ocsinventory-server)"
say "done"
