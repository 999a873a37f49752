#!/usr/bin/env bash
# Starts or stops a local Firebird server for the tests that use the
# "server:path" address form, and for an installation that serves its
# workstations from this machine.
#   scripts/firebird-server.sh start|stop|password
#
# The administrator (SYSDBA) password is never the program's built-in one:
# the first start makes a random password and keeps it in a file that only
# root can read; every later start reads it back, so the server keeps the
# same password. TARVEDO_DB_PASSWORD, when set, is used instead (an
# installation that chose its own). `password` prints the password in force,
# which the program takes from TARVEDO.INI (DBPASSWORD) or from the
# environment (TARVEDO_DB_PASSWORD).
set -euo pipefail

SECURITY_DB=/var/lib/firebird/3.0/system/security3.fdb
PASSWORD_FILE="${TARVEDO_DB_PASSWORD_FILE:-/etc/tarvedo/sysdba-password}"

as_firebird() {
  if [ "$(id -u)" -eq 0 ]; then su -s /bin/sh firebird -c "$*"; else sudo -u firebird sh -c "$*"; fi
}

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

running() { pgrep -x firebird >/dev/null 2>&1; }

# The password in force: the environment's, else the kept one, else a new
# random one that is kept from now on.
password() {
  if [ -n "${TARVEDO_DB_PASSWORD:-}" ]; then
    printf '%s' "$TARVEDO_DB_PASSWORD"
    return
  fi
  if ! as_root test -s "$PASSWORD_FILE"; then
    local fresh
    fresh=$(head -c 24 /dev/urandom | base64 | tr -dc 'A-Za-z0-9' | head -c 20)
    as_root sh -c "umask 077 && mkdir -p '$(dirname "$PASSWORD_FILE")' && printf '%s\n' '$fresh' > '$PASSWORD_FILE'"
  fi
  as_root cat "$PASSWORD_FILE" | tr -d '\n'
}

case "${1:-}" in
  start)
    if running; then echo "Firebird server already running"; exit 0; fi
    secret=$(password)
    # The embedded engine edits the security database directly (no server yet).
    printf "create or alter user SYSDBA password '%s';\ncommit;\n" "$secret" \
      | isql-fb -q -user SYSDBA "$SECURITY_DB" >/dev/null
    chown firebird:firebird "$SECURITY_DB"
    chmod 660 "$SECURITY_DB"
    as_firebird "/usr/sbin/fbguard -daemon -forever"
    for _ in $(seq 1 50); do
      if (exec 3<>/dev/tcp/127.0.0.1/3050) 2>/dev/null; then echo "Firebird server listening on 127.0.0.1:3050"; exit 0; fi
      sleep 0.2
    done
    echo "Firebird server did not start" >&2
    exit 1
    ;;
  stop)
    pkill -x fbguard 2>/dev/null || true
    pkill -x firebird 2>/dev/null || true
    ;;
  password)
    password
    echo
    ;;
  *)
    echo "usage: $0 start|stop|password" >&2
    exit 2
    ;;
esac
