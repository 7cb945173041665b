#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A throw-away PostgreSQL server for the database test suites.
#   pg-test-server.sh start <envfile>   initdb in a temporary folder, listen on
#                                       127.0.0.1 on a free port, create a
#                                       password-authenticated user and
#                                       database, write PLEXIWEAVE_PG_* exports
#   pg-test-server.sh stop <envfile>    stop the server and remove its folder
set -euo pipefail

usage() { echo "usage: $0 start|stop <envfile>" >&2; exit 2; }
[ $# -eq 2 ] || usage
action=$1
envfile=$2

pgbin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1 || true)
if [ -z "$pgbin" ] || [ ! -x "$pgbin/initdb" ]; then
  echo "PostgreSQL server binaries not found (install the postgresql package)" >&2
  exit 1
fi

# initdb and the server refuse to run as root: use the postgres account then.
as_server_user() {
  if [ "$(id -u)" -eq 0 ]; then
    runuser -u postgres -- "$@"
  else
    "$@"
  fi
}

free_port() {
  local port
  for _ in $(seq 1 50); do
    port=$(( 20000 + RANDOM % 30000 ))
    if ! (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
      echo "$port"
      return 0
    fi
  done
  return 1
}

start() {
  local dir user password db port
  dir=$(mktemp -d /tmp/plexiweave-pg.XXXXXX)
  chmod 755 "$dir"
  user=plexiweave
  db=plexiweave_test
  password=$(head -c 18 /dev/urandom | base64 | tr -dc 'A-Za-z0-9')
  printf '%s\n' "$password" > "$dir/pwfile"
  if [ "$(id -u)" -eq 0 ]; then chown -R postgres: "$dir"; fi

  as_server_user "$pgbin/initdb" -D "$dir/data" -U "$user" --pwfile="$dir/pwfile" \
    --auth=scram-sha-256 -E UTF8 --locale=C.UTF-8 >"$dir/initdb.log" 2>&1 || {
      cat "$dir/initdb.log" >&2; rm -rf "$dir"; exit 1; }
  rm -f "$dir/pwfile"

  local started=0
  for _ in 1 2 3 4 5; do
    port=$(free_port)
    if as_server_user "$pgbin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 30 \
         -o "-c listen_addresses=127.0.0.1 -p $port -k $dir" start >/dev/null; then
      started=1
      break
    fi
  done
  if [ "$started" -ne 1 ]; then
    cat "$dir/server.log" >&2 || true
    rm -rf "$dir"
    exit 1
  fi

  PGPASSWORD="$password" "$pgbin/createdb" -h 127.0.0.1 -p "$port" -U "$user" "$db"

  {
    echo "export PLEXIWEAVE_PG_HOST=127.0.0.1"
    echo "export PLEXIWEAVE_PG_PORT=$port"
    echo "export PLEXIWEAVE_PG_USER=$user"
    echo "export PLEXIWEAVE_PG_PASSWORD=$password"
    echo "export PLEXIWEAVE_PG_DB=$db"
    echo "export PLEXIWEAVE_PG_DIR=$dir"
  } > "$envfile"
  echo "PostgreSQL test server on 127.0.0.1:$port ($dir)"
}

stop() {
  [ -f "$envfile" ] || return 0
  local dir
  dir=$(sed -n 's/^export PLEXIWEAVE_PG_DIR=//p' "$envfile")
  [ -n "$dir" ] && [ -d "$dir" ] || return 0
  case "$dir" in /tmp/plexiweave-pg.*) ;; *) echo "refusing to remove $dir" >&2; exit 1 ;; esac
  as_server_user "$pgbin/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null 2>&1 || true
  rm -rf "$dir"
}

case "$action" in
  start) start ;;
  stop) stop ;;
  *) usage ;;
esac
