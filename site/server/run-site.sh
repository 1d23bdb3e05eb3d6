#!/usr/bin/env bash
# Starts the site server of the demo beside the catalog database that
# site/catalog.sh started, in the foreground (Ctrl+C ends it):
#   site/server/run-site.sh [BUILD_DIR]     (default build/)
#   QIMUBOX_SITE_PORT  port of the site server (default 8087)
#   QIMUBOX_DB_STATE   state file of the catalog server (default .demo/mariadb/state)
# Further options go to qimubox-site as they are; see qimubox-site --help.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${1:-$repo/build}
[ $# -gt 0 ] && shift
state=${QIMUBOX_DB_STATE:-$repo/.demo/mariadb/state}
if [ ! -s "$state" ]; then
  echo "run-site.sh: no catalog server state in $state; start one first:" >&2
  echo "  bash site/catalog.sh start --datadir $(dirname "$state")" >&2
  exit 1
fi
exec "$build/site/server/qimubox-site" --address 127.0.0.1 --port "${QIMUBOX_SITE_PORT:-8087}" \
  --root "$repo/site/www" --db-state "$state" "$@"
