#!/usr/bin/env bash
# A private MariaDB server holding the catalog: its own data folder, socket
# and pid file, listening on 127.0.0.1 only. The system's MariaDB service is
# neither used nor started.
#
#   catalog.sh start [--port N|auto] [--datadir DIR] [--data demo|schema-only]
#                    [--password P] [--site-url URL]
#   catalog.sh stop [--datadir DIR]
#   catalog.sh status [--datadir DIR]
#
# start  creates the server in DIR when needed and starts it (a server already
#        running in DIR is stopped first), loads site/sql/*.sql in name order,
#        then the data set: "demo" is site/demo/catalog.sql with @SITE@
#        replaced by the site URL, "schema-only" leaves the tables empty.
#        Prints the port and writes DIR/state (lines key=value: port, socket,
#        pid, admin_user, admin_password).
#        --port     default $QIMUBOX_DB_PORT or 3306; "auto" takes a free one
#        --datadir  default .demo/mariadb in the repository
#        --password the password of the account tool, 16 letters and digits,
#                   default that of the demo build
#        --site-url default http://127.0.0.1:8087
# stop   shuts the server down cleanly and waits until it has ended.
# status prints whether the server of DIR runs; exit code 0 when it does.
#
# Besides "tool", the server has the account qimubox_admin on 127.0.0.1 with
# a random password (in DIR/state) for tests that load their own rows.
set -euo pipefail

site_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo_dir=$(dirname "$site_dir")

command=${1:-}
[ $# -gt 0 ] && shift

port=${QIMUBOX_DB_PORT:-3306}
datadir=$repo_dir/.demo/mariadb
data=demo
tool_password=Qm7vT2kx9LpR4sWz
site_url=http://127.0.0.1:8087

usage() {
  sed -n '5,10p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//' >&2
  exit 2
}

while [ $# -gt 0 ]; do
  [ $# -ge 2 ] || usage
  case $1 in
    --port) port=$2 ;;
    --datadir) datadir=$2 ;;
    --data) data=$2 ;;
    --password) tool_password=$2 ;;
    --site-url) site_url=$2 ;;
    *) usage ;;
  esac
  shift 2
done

case $command in start|stop|status) ;; *) usage ;; esac
if [ "$port" != auto ] && { [[ ! $port =~ ^[0-9]{1,5}$ ]] || ((10#$port < 1 || 10#$port > 65535)); }; then
  echo "catalog.sh: --port takes a port number or auto, not '$port'" >&2
  exit 2
fi
case $data in demo|schema-only) ;; *) echo "catalog.sh: --data takes demo or schema-only" >&2; exit 2 ;; esac
# Checked here so that the password can go into the SQL text as it is.
if [[ ! $tool_password =~ ^[A-Za-z0-9]{16}$ ]]; then
  echo "catalog.sh: the password of tool must be 16 letters and digits" >&2
  exit 2
fi
# The URL goes into the demo data through sed and SQL literals.
if [[ ! $site_url =~ ^https?://[A-Za-z0-9.:/_-]+$ ]]; then
  echo "catalog.sh: --site-url takes an http address of letters, digits and . : / _ -" >&2
  exit 2
fi

mkdir -p "$datadir"
datadir=$(cd "$datadir" && pwd)
socket=$datadir/mariadb.sock
pid_file=$datadir/mariadb.pid
state_file=$datadir/state
error_log=$datadir/error.log

client() { mariadb --no-defaults --socket="$socket" -uroot "$@"; }

server_pid() {
  [ -s "$pid_file" ] || return 1
  local pid
  pid=$(<"$pid_file")
  [[ $pid =~ ^[0-9]+$ ]] && kill -0 "$pid" 2>/dev/null && echo "$pid"
}

port_in_use() { (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }

stop_server() {
  local pid
  pid=$(server_pid) || { rm -f "$state_file"; return 0; }
  mariadb-admin --no-defaults --socket="$socket" -uroot shutdown 2>/dev/null || kill -TERM "$pid" 2>/dev/null || true
  for _ in $(seq 600); do
    kill -0 "$pid" 2>/dev/null || { rm -f "$state_file"; return 0; }
    sleep 0.1
  done
  echo "catalog.sh: the server (pid $pid) did not stop within 60 s" >&2
  return 1
}

# Starts mariadbd on the given port; fails when it does not come up, for
# example because another program took the port first.
launch_server() {
  local try_port=$1
  rm -f "$pid_file"
  setsid mariadbd --no-defaults --user="$(id -un)" \
    --datadir="$datadir/data" --socket="$socket" --pid-file="$pid_file" \
    --port="$try_port" --bind-address=127.0.0.1 --skip-name-resolve \
    --log-error="$error_log" --skip-log-bin \
    --innodb-buffer-pool-size=32M --innodb-log-file-size=16M \
    </dev/null >/dev/null 2>&1 &
  local pid=$!
  for _ in $(seq 600); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid" 2>/dev/null || true
      return 1
    fi
    mariadb-admin --no-defaults --socket="$socket" -uroot ping >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "catalog.sh: the server did not answer within 60 s; see $error_log" >&2
  kill -TERM "$pid" 2>/dev/null || true
  return 1
}

start_on_free_port() {
  local try_port
  for _ in $(seq 20); do
    try_port=$((20000 + RANDOM % 30000))
    port_in_use "$try_port" && continue
    if launch_server "$try_port"; then
      port=$try_port
      return 0
    fi
  done
  echo "catalog.sh: found no free port; see $error_log" >&2
  return 1
}

load_sql() {
  local file
  # The catalog tables are made anew from the schema so that every start
  # gives the same tables, whatever an earlier run left.
  client -e "DROP TABLE IF EXISTS tool.ht, tool.wzsj, tool.ggw"
  for file in "$site_dir"/sql/*.sql; do
    sed "s/@TOOL_PASSWORD@/$tool_password/g" "$file" | client || {
      echo "catalog.sh: loading $file failed" >&2
      return 1
    }
  done
  if [ "$data" = demo ]; then
    sed "s|@SITE@|$site_url|g" "$site_dir/demo/catalog.sql" | client --default-character-set=utf8mb4 tool || {
      echo "catalog.sh: loading the demo catalog failed" >&2
      return 1
    }
  fi
}

make_admin_account() {
  admin_password=$(head -c 16 /dev/urandom | od -An -tx1 | tr -d ' \n')
  client <<SQL
CREATE USER IF NOT EXISTS 'qimubox_admin'@'127.0.0.1' IDENTIFIED BY '$admin_password';
ALTER USER 'qimubox_admin'@'127.0.0.1' IDENTIFIED BY '$admin_password';
GRANT ALL PRIVILEGES ON *.* TO 'qimubox_admin'@'127.0.0.1';
SQL
}

start() {
  stop_server
  if [ ! -d "$datadir/data/mysql" ]; then
    rm -rf "$datadir/data"
    mariadb-install-db --no-defaults --user="$(id -un)" --datadir="$datadir/data" \
      --skip-test-db --auth-root-authentication-method=socket >"$datadir/install.log" 2>&1 || {
      echo "catalog.sh: creating the server in $datadir failed; see $datadir/install.log" >&2
      exit 1
    }
  fi
  if [ "$port" = auto ]; then
    start_on_free_port || exit 1
  else
    if port_in_use "$port"; then
      echo "catalog.sh: port $port is taken by another server." >&2
      echo "Choose another port: catalog.sh start --port 3307 (or auto), and build the" >&2
      echo "client for it, e.g. QIMUBOX_DB_PORT=3307 bash tools/run-demo.sh" >&2
      exit 1
    fi
    launch_server "$port" || { echo "catalog.sh: the server did not start; see $error_log" >&2; exit 1; }
  fi
  if ! load_sql || ! make_admin_account; then
    stop_server
    exit 1
  fi
  # The admin password is in it: readable by the owner only.
  umask 077
  {
    echo "port=$port"
    echo "socket=$socket"
    echo "pid=$(server_pid)"
    echo "admin_user=qimubox_admin"
    echo "admin_password=$admin_password"
  } >"$state_file.new"
  mv "$state_file.new" "$state_file"
  echo "$port"
}

case $command in
  start) start ;;
  stop) stop_server ;;
  status)
    if pid=$(server_pid); then
      echo "running (pid $pid, $(grep '^port=' "$state_file" 2>/dev/null || echo 'port unknown'))"
    else
      echo "not running"
      exit 1
    fi
    ;;
esac
