#!/usr/bin/env bash
# Installs what is missing, builds, starts the local catalog (a private MariaDB
# and the site server, both on loopback) with the demo data, and opens the
# client against it. Without a display the client runs under Xvfb.
#   QIMUBOX_DB_PORT    database port of the demo (default 3306)
#   QIMUBOX_SITE_PORT  port of the site server (default 8087)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

db_port=${QIMUBOX_DB_PORT:-3306}
site_port=${QIMUBOX_SITE_PORT:-8087}
state=$root/.demo

port_in_use() { (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }

bash tools/install-deps.sh
cmake -S . -B build -DQIMUBOX_DB_PORT="$db_port" -DQIMUBOX_STATS_HOST="127.0.0.1:$site_port"
cmake --build build -j"$(nproc)" --target qimubox qimubox-site

if port_in_use "$db_port" && ! bash site/catalog.sh status --datadir "$state/mariadb" >/dev/null 2>&1; then
  echo "Port $db_port is taken by another server. Choose another port for the demo, e.g.:" >&2
  echo "  QIMUBOX_DB_PORT=3307 bash tools/run-demo.sh" >&2
  exit 1
fi
if port_in_use "$site_port"; then
  echo "Port $site_port is taken. Choose another port for the site server, e.g.:" >&2
  echo "  QIMUBOX_SITE_PORT=8088 bash tools/run-demo.sh" >&2
  exit 1
fi

site_pid=
cleanup() {
  [ -n "$site_pid" ] && kill "$site_pid" 2>/dev/null && wait "$site_pid" 2>/dev/null
  bash site/catalog.sh stop --datadir "$state/mariadb" || true
}
trap cleanup EXIT

mkdir -p "$state"
bash site/catalog.sh start --port "$db_port" --datadir "$state/mariadb" --data demo \
  --site-url "http://127.0.0.1:$site_port"
build/site/server/qimubox-site --address 127.0.0.1 --port "$site_port" --root site/www \
  --db-state "$state/mariadb/state" &
site_pid=$!
echo "Catalog database on 127.0.0.1:$db_port, site on http://127.0.0.1:$site_port"

client=build/startup/qimubox
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  "$client"
else
  echo "No display found: running the client under Xvfb (virtual screen :99 via xvfb-run)."
  xvfb-run -a -s "-screen 0 1280x800x24" "$client"
fi
