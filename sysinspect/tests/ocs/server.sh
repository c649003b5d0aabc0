#!/usr/bin/env bash
# Starts or stops a private OCS Inventory NG server (MariaDB + Apache with
# the server's mod_perl handler) under DIR, on free ports of 127.0.0.1.
#   server.sh start DIR   prints the URL and the mysql command; writes DIR/env
#   server.sh stop DIR
set -uo pipefail
. "$(dirname "$0")/lib.sh"

case "${1:-}:${2:-}" in
  start:?*)
    ocs_start "$2" || exit 1
    echo "OCS_URL=$OCS_URL"
    echo "OCS_MYSQL=$OCS_MYSQL"
    echo "(both in $OCS_DIR/env; stop with: $0 stop $OCS_DIR)"
    ;;
  stop:?*)
    ocs_stop "$2"
    ;;
  *)
    echo "usage: $0 start|stop DIR" >&2
    exit 2
    ;;
esac
