# shellcheck shell=bash disable=SC2034  # the OCS_* variables are for callers
# Shell functions for tests against a private OCS Inventory NG server: a
# MariaDB and an Apache of its own under a directory, listening on 127.0.0.1
# only, with the database made from ocsinventory-reports' SQL files.
# Source this file, then:
#   ocs_require     fail, saying to run scripts/setup-ocs.sh, if parts are missing
#   ocs_start DIR   start both (fresh database), write DIR/env, export OCS_*
#   ocs_stop DIR    stop both and wait for them
#   ocs_use DIR     export OCS_* from a running DIR (e.g. one server.sh started)
#   ocs_sql SQL     run SQL in the server's database, tab-separated rows out
#   ocs_post FILE [ANSWER]  POST FILE to OCS_URL, print the HTTP status
# Each DIR is one server on ports of its own; several can run at once.
# OCS_INJECTOR is the package's ocsinventory-injector.pl.

OCS_SCHEMA_ROOT=${OCS_SCHEMA_ROOT:-/opt/ocs-schema}
OCS_SERVER_CONF=${OCS_SERVER_CONF:-/etc/apache2/conf-available/ocsinventory-server.conf}
OCS_INJECTOR=${OCS_INJECTOR:-/usr/share/ocsinventory-server/binutils/ocsinventory-injector.pl}
OCS_DB_NAME=ocsweb
OCS_DB_USER=ocs
OCS_DB_PASSWORD=ocs
OCS_POST_TIMEOUT=${OCS_POST_TIMEOUT:-60}

_ocs_say() { echo "ocs: $*" >&2; }

# Prints what the server tests lack; fails if anything.
ocs_missing() {
  local lacking=() f
  for f in /usr/sbin/mariadbd /usr/bin/mariadb-install-db /usr/bin/mariadb \
           /usr/sbin/apache2 /usr/lib/apache2/modules/mod_perl.so \
           /usr/lib/apache2/modules/mod_mpm_prefork.so \
           /usr/share/perl5/Apache/Ocsinventory.pm "$OCS_SERVER_CONF" "$OCS_INJECTOR" \
           "$OCS_SCHEMA_ROOT/files/ocsbase_new.sql" "$OCS_SCHEMA_ROOT/files/update"; do
    [ -e "$f" ] || lacking+=("$f")
  done
  perl -MXML::Parser -e1 2>/dev/null || lacking+=("perl XML::Parser")
  perl -MLWP::UserAgent -e1 2>/dev/null || lacking+=("perl LWP::UserAgent")
  command -v curl >/dev/null || lacking+=(curl)
  [ "${#lacking[@]}" -eq 0 ] && return 0
  printf '%s\n' "${lacking[@]}"
  return 1
}

# Fails with what to do when the packages are not there.
ocs_require() {
  local lacking
  lacking=$(ocs_missing) && return 0
  _ocs_say "missing: ${lacking//$'\n'/, }"
  _ocs_say "run scripts/setup-ocs.sh (as root) to install the OCS server and its schema"
  return 1
}

# A TCP port free on 127.0.0.1 now.
ocs_free_port() {
  python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

# Polls CMD every 0.2 s for at most SECONDS; fails when time is up.
_ocs_wait() {
  local seconds=$1 i; shift
  for ((i = 0; i < seconds * 5; i++)); do
    "$@" && return 0
    sleep 0.2
  done
  return 1
}

_ocs_alive() { [ -n "$1" ] && kill -0 "$1" 2>/dev/null; }
_ocs_gone() { ! _ocs_alive "$1"; }
_ocs_pid() { [ -s "$1" ] && cat "$1"; }

# Stops process PID (ours, from its pid file): TERM, up to SECONDS, then KILL
# with the children it would have reaped.
_ocs_end() {
  local pid=$1 seconds=$2 name=$3 kids=()
  _ocs_alive "$pid" || return 0
  kill -TERM "$pid" 2>/dev/null
  _ocs_wait "$seconds" _ocs_gone "$pid" && return 0
  _ocs_say "$name (pid $pid) still up after ${seconds}s; killing it"
  mapfile -t kids < <(pgrep -P "$pid")
  kill -KILL "$pid" "${kids[@]}" 2>/dev/null
  _ocs_wait 10 _ocs_gone "$pid"
}

# The MariaDB: own datadir, socket and pid file, TCP on 127.0.0.1:PORT.
_ocs_start_db() {
  local dir=$1 port=$2 my=$1/mysql
  local user=()
  mkdir -p "$my/data" "$my/run"
  if [ "$(id -u)" -eq 0 ]; then
    user=(--user=mysql)
    chown -R mysql:mysql "$my"
  fi
  cat >"$my/my.cnf" <<EOF
[mariadbd]
datadir=$my/data
socket=$my/run/mysqld.sock
pid-file=$my/run/mysqld.pid
log-error=$my/error.log
port=$port
bind-address=127.0.0.1
character-set-server=utf8mb4
collation-server=utf8mb4_general_ci
innodb-buffer-pool-size=64M
EOF
  printf '[client]\nuser=root\nsocket=%s\n' "$my/run/mysqld.sock" >"$my/root.cnf"
  printf '[client]\nuser=%s\npassword=%s\nsocket=%s\n' \
    "$OCS_DB_USER" "$OCS_DB_PASSWORD" "$my/run/mysqld.sock" >"$my/client.cnf"
  if ! mariadb-install-db --defaults-file="$my/my.cnf" "${user[@]}" \
       --auth-root-authentication-method=normal --skip-test-db >"$my/install.log" 2>&1; then
    _ocs_say "mariadb-install-db failed:"; tail -n 20 "$my/install.log" >&2; return 1
  fi
  # Detached, so that the caller's shell and ctest do not wait on it.
  setsid mariadbd --defaults-file="$my/my.cnf" "${user[@]}" </dev/null >>"$my/error.log" 2>&1 &
  echo $! >"$my/launched.pid"  # for ocs_stop, should it fail before writing its own
  if ! _ocs_wait 60 mariadb-admin --defaults-file="$my/root.cnf" --connect-timeout=2 ping >/dev/null 2>&1; then
    _ocs_say "MariaDB did not answer within 60s:"; tail -n 20 "$my/error.log" >&2; return 1
  fi
}

# The database as ocsinventory-reports' console makes it: ocsbase_new.sql,
# then every update up to the newest, statement by statement, errors passed
# over (as the console does), recording each version reached.
_ocs_create_db() {
  local my=$1/mysql files=$OCS_SCHEMA_ROOT/files base last v
  base=$(grep -o "'GUI_VERSION',0,'[0-9]*'" "$files/ocsbase_new.sql" | grep -o '[0-9][0-9]*' | tail -n 1)
  last=$(find "$files/update" -name '[0-9]*.sql' -printf '%f\n' | sed -n 's/^\([0-9]*\)\.sql$/\1/p' | sort -n | tail -n 1)
  if [ -z "$base" ] || [ -z "$last" ]; then
    _ocs_say "cannot read the schema versions in $files"; return 1
  fi
  for ((v = base + 1; v <= last; v++)); do
    [ -f "$files/update/$v.sql" ] || { _ocs_say "schema update $v.sql is missing"; return 1; }
  done
  mariadb --defaults-file="$my/root.cnf" <<EOF || return 1
CREATE DATABASE $OCS_DB_NAME CHARACTER SET utf8 COLLATE utf8_bin;
CREATE USER '$OCS_DB_USER'@'localhost' IDENTIFIED BY '$OCS_DB_PASSWORD';
CREATE USER '$OCS_DB_USER'@'127.0.0.1' IDENTIFIED BY '$OCS_DB_PASSWORD';
GRANT ALL PRIVILEGES ON $OCS_DB_NAME.* TO '$OCS_DB_USER'@'localhost';
GRANT ALL PRIVILEGES ON $OCS_DB_NAME.* TO '$OCS_DB_USER'@'127.0.0.1';
EOF
  {
    echo "SET sql_mode='NO_ENGINE_SUBSTITUTION';"
    cat "$files/ocsbase_new.sql"; echo
    for ((v = base + 1; v <= last; v++)); do
      echo "-- update $v"
      cat "$files/update/$v.sql"; echo
      echo "UPDATE config SET TVALUE='$v' WHERE NAME='GUI_VERSION';"
    done
    # Update 7045 drops software_name.CATEGORY, which the 2.8.1 server still
    # writes: without it no software is stored.
    echo "ALTER TABLE software_name ADD COLUMN IF NOT EXISTS CATEGORY INT(11) DEFAULT NULL;"
    # Engine log (activity.log under DIR/log), for reading after a test.
    echo "UPDATE config SET IVALUE=1 WHERE NAME='LOGLEVEL';"
  } | mariadb --defaults-file="$my/root.cnf" --default-character-set=utf8 --force \
        "$OCS_DB_NAME" >"$my/schema.log" 2>&1
  [ "$(ocs_sql "SELECT TVALUE FROM config WHERE NAME='GUI_VERSION'")" = "$last" ] ||
    { _ocs_say "schema did not reach version $last:"; tail -n 20 "$my/schema.log" >&2; return 1; }
}

# Apache: our own httpd.conf, and the package's ocsinventory-server.conf
# with the private database, port and log path set, less its SOAP web
# service (which needs SOAP::Lite and a password file).
_ocs_write_web_conf() {
  local dir=$1 port=$2 db_port=$3 web=$1/apache
  local run_as=""
  [ "$(id -u)" -eq 0 ] && run_as="User www-data
Group www-data"
  mkdir -p "$web" "$dir/log"
  [ "$(id -u)" -eq 0 ] && chown www-data:www-data "$dir/log"  # the handler writes activity.log
  cat >"$web/httpd.conf" <<EOF
ServerRoot $web
ServerName 127.0.0.1
Listen 127.0.0.1:$port
PidFile $web/httpd.pid
DefaultRuntimeDir $web
ErrorLog $web/error.log
LogLevel warn
LogFormat "%h %t \"%r\" %>s %b %D" timed
CustomLog $web/access.log timed
$run_as
LoadModule mpm_prefork_module /usr/lib/apache2/modules/mod_mpm_prefork.so
LoadModule authz_core_module /usr/lib/apache2/modules/mod_authz_core.so
LoadModule perl_module /usr/lib/apache2/modules/mod_perl.so
StartServers 2
MinSpareServers 2
MaxSpareServers 6
MaxRequestWorkers 10
Timeout 60
Include $web/ocsinventory-server.conf
EOF
  awk -v db_port="$db_port" -v name="$OCS_DB_NAME" -v user="$OCS_DB_USER" \
      -v pwd="$OCS_DB_PASSWORD" -v logpath="$dir/log/" '
    /# Web service apache settings/ { skip = 1 }
    skip { if (tolower($0) ~ /<\/location>/) skip = 0; next }
    $1 == "PerlSetEnv" && $2 == "OCS_DB_HOST" { print "  PerlSetEnv OCS_DB_HOST 127.0.0.1"; next }
    $1 == "PerlSetEnv" && $2 == "OCS_DB_PORT" { print "  PerlSetEnv OCS_DB_PORT " db_port; next }
    $1 == "PerlSetEnv" && $2 == "OCS_DB_NAME" { print "  PerlSetEnv OCS_DB_NAME " name; next }
    $1 == "PerlSetEnv" && $2 == "OCS_DB_LOCAL" { print "  PerlSetEnv OCS_DB_LOCAL " name; next }
    $1 == "PerlSetEnv" && $2 == "OCS_DB_USER" { print "  PerlSetEnv OCS_DB_USER " user; next }
    $1 == "PerlSetVar" && $2 == "OCS_DB_PWD" { print "  PerlSetVar OCS_DB_PWD " pwd; next }
    $1 == "PerlSetEnv" && $2 == "OCS_OPT_LOGPATH" { print "  PerlSetEnv OCS_OPT_LOGPATH " logpath; next }
    { print }' "$OCS_SERVER_CONF" >"$web/ocsinventory-server.conf"
  local setting
  for setting in "OCS_DB_HOST 127.0.0.1" "OCS_DB_PORT $db_port" "OCS_DB_PWD $OCS_DB_PASSWORD" \
                 "OCS_OPT_LOGPATH $dir/log/" "PerlHandler Apache::Ocsinventory"; do
    grep -q "$setting\$" "$web/ocsinventory-server.conf" ||
      { _ocs_say "$OCS_SERVER_CONF: could not set $setting"; return 1; }
  done
}

_ocs_http_status() {
  curl -s -o /dev/null -w '%{http_code}' --max-time 5 "$1" 2>/dev/null || true
}
# The handler answers a bare GET with 400 once it is loaded and reaches the
# database.
_ocs_web_ready() { [ "$(_ocs_http_status "$1")" = 400 ]; }

_ocs_start_web() {
  local dir=$1 port=$2 url=http://127.0.0.1:$2/ocsinventory
  if ! /usr/sbin/apache2 -f "$dir/apache/httpd.conf" -k start >"$dir/apache/start.log" 2>&1; then
    _ocs_say "Apache did not start:"; cat "$dir/apache/start.log" >&2; return 1
  fi
  if ! _ocs_wait 30 _ocs_web_ready "$url"; then
    _ocs_say "$url did not answer 400 to GET within 30s (got $(_ocs_http_status "$url")):"
    tail -n 20 "$dir/apache/error.log" >&2; return 1
  fi
}

# Starts the server under DIR (made if need be; an existing database in it
# is not reused). Writes DIR/env and exports OCS_DIR, OCS_URL, OCS_HTTP_PORT,
# OCS_DB_PORT, OCS_DB_SOCKET, OCS_DB_NAME, OCS_DB_USER, OCS_DB_PASSWORD and
# OCS_MYSQL (a command line: $OCS_MYSQL -e "SELECT ..."), as ocs_use does.
# On failure stops what it started.
ocs_start() {
  local dir=$1 http_port db_port
  [ -n "$dir" ] || { _ocs_say "usage: ocs_start DIR"; return 2; }
  ocs_require || return 1
  mkdir -p "$dir" && dir=$(cd "$dir" && pwd)
  [ -e "$dir/mysql/data" ] && { _ocs_say "$dir already holds a server; stop it and use a new DIR"; return 1; }
  chmod 755 "$dir"  # mysql and www-data reach their parts of it
  if [ "$(id -u)" -eq 0 ] && ! runuser -u mysql -- test -x "$dir"; then
    _ocs_say "user mysql cannot reach $dir: make its parent directories searchable (chmod o+x)"
    return 1
  fi
  db_port=$(ocs_free_port) && http_port=$(ocs_free_port) || return 1
  while [ "$http_port" = "$db_port" ]; do http_port=$(ocs_free_port); done
  OCS_DIR=$dir
  OCS_URL=http://127.0.0.1:$http_port/ocsinventory
  OCS_HTTP_PORT=$http_port
  OCS_DB_PORT=$db_port
  OCS_DB_SOCKET=$dir/mysql/run/mysqld.sock
  OCS_MYSQL="mariadb --defaults-file=$dir/mysql/client.cnf $OCS_DB_NAME"
  if _ocs_start_db "$dir" "$db_port" && _ocs_create_db "$dir" &&
     _ocs_write_web_conf "$dir" "$http_port" "$db_port" && _ocs_start_web "$dir" "$http_port"; then
    {
      local v
      for v in OCS_DIR OCS_URL OCS_HTTP_PORT OCS_DB_PORT OCS_DB_SOCKET OCS_DB_NAME \
               OCS_DB_USER OCS_DB_PASSWORD OCS_MYSQL; do
        printf '%s=%q\n' "$v" "${!v}"
      done
    } >"$dir/env"
    ocs_use "$dir"
    return 0
  fi
  ocs_stop "$dir"
  return 1
}

# Stops DIR's Apache and MariaDB and waits for them (bounded).
ocs_stop() {
  local dir=$1 rc=0
  [ -n "$dir" ] || { _ocs_say "usage: ocs_stop DIR"; return 2; }
  _ocs_end "$(_ocs_pid "$dir/apache/httpd.pid")" 20 Apache || rc=1
  _ocs_end "$(_ocs_pid "$dir/mysql/run/mysqld.pid" || _ocs_pid "$dir/mysql/launched.pid")" 60 MariaDB || rc=1
  return $rc
}

# Exports the OCS_* variables from DIR/env.
ocs_use() {
  [ -f "$1/env" ] || { _ocs_say "no server started in $1"; return 1; }
  set -a
  # shellcheck disable=SC1091
  . "$1/env"
  set +a
}

# Runs SQL in OCS_DIR's database; rows out tab-separated, no header.
ocs_sql() {
  mariadb --defaults-file="$OCS_DIR/mysql/client.cnf" --default-character-set=utf8mb4 \
    --batch --skip-column-names "$OCS_DB_NAME" -e "$1"
}

# POSTs FILE as it is (Content-Length, no chunking) to OCS_URL; prints the
# HTTP status (000 when there was no answer). ANSWER gets the body.
ocs_post() {
  curl -s --max-time "$OCS_POST_TIMEOUT" -o "${2:-/dev/null}" -w '%{http_code}' \
    -A "${OCS_USER_AGENT:-sysinspect-tests}" -H 'Content-Type: application/x-compress' \
    --data-binary "@$1" "$OCS_URL" || true
}

# Stops only DIR's Apache (the database keeps running, for checking that a
# request to the stopped server changed nothing).
ocs_stop_web() {
  [ -n "$1" ] || { _ocs_say "usage: ocs_stop_web DIR"; return 2; }
  _ocs_end "$(_ocs_pid "$1/apache/httpd.pid")" 20 Apache
}
