#!/usr/bin/env bash
# Starts or stops a local Firebird server for the tests that use the
# "server:path" address form. The administrator password is set to the
# program's default in the server's security database first.
#   scripts/firebird-server.sh start|stop
set -euo pipefail

SECURITY_DB=/var/lib/firebird/3.0/system/security3.fdb
PASSWORD="${TARVEDO_DB_PASSWORD:-pelikan42}"

as_firebird() {
  if [ "$(id -u)" -eq 0 ]; then su -s /bin/sh firebird -c "$*"; else sudo -u firebird sh -c "$*"; fi
}

running() { pgrep -x firebird >/dev/null 2>&1; }

case "${1:-}" in
  start)
    if running; then echo "Firebird server already running"; exit 0; fi
    # The embedded engine edits the security database directly (no server yet).
    printf "create or alter user SYSDBA password '%s';\ncommit;\n" "$PASSWORD" \
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
  *)
    echo "usage: $0 start|stop" >&2
    exit 2
    ;;
esac
