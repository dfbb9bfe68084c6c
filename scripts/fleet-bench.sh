#!/usr/bin/env bash
# Measures the dashboard's answers on a generated fleet in PostgreSQL.
#
#   scripts/fleet-bench.sh [RUNS]     (default 1000000 runs of 25 lines each)
#
# Makes the fleet (scripts/fleet-generate.sql: 20 stations, 5 products, the
# runs spread over 200 days) in schema "fleet", then runs bench_dashboard:
# the overview, Pareto and capability answers for the pages' default period
# (the last 7 days), each beside its floor (the same database counting the
# same rows with a bare GROUP BY), and prints each query's plan as run
# (EXPLAIN ANALYZE). Uses the PostgreSQL server named by XQ_PG_HOST,
# XQ_PG_PORT, XQ_PG_USER, XQ_PG_PASSWORD and XQ_PG_DATABASE, or starts a
# private one (scripts/pg-test-cluster.sh). XQ_BUILD_DIR names the build
# folder holding bench/bench_dashboard (default: build). The schema is dropped
# at the end unless XQ_FLEET_KEEP=1.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
runs="${1:-1000000}"
build="${XQ_BUILD_DIR:-$top/build}"
bench="$build/bench/bench_dashboard"
[ -x "$bench" ] || { echo "$bench is missing: build the target bench_dashboard" >&2; exit 1; }
[[ "$runs" =~ ^[1-9][0-9]*$ ]] || { echo "usage: $0 [RUNS]" >&2; exit 2; }

if [ -z "${XQ_PG_PORT:-}" ]; then
    state="$build/pg-fleet"
    trap '"$top/scripts/pg-test-cluster.sh" stop "$state" >/dev/null' EXIT
    "$top/scripts/pg-test-cluster.sh" start "$state"
    set -a
    # shellcheck disable=SC1091
    . "$state/cluster.env"
    set +a
fi
export PGHOST="$XQ_PG_HOST" PGPORT="$XQ_PG_PORT" PGUSER="$XQ_PG_USER" \
       PGPASSWORD="$XQ_PG_PASSWORD" PGDATABASE="$XQ_PG_DATABASE"
export XQ_FLEET_SCHEMA=fleet

echo "== fleet: $runs runs of 25 lines"
start=$(date +%s)
psql -q -X -v runs="$runs" -v schema=fleet -f "$top/scripts/fleet-generate.sql"
echo "generated in $(( $(date +%s) - start )) s"
psql -q -X -c "SELECT pg_size_pretty(pg_database_size(current_database())) AS database_size"

echo "== answers beside their floors (default period: the last 7 days)"
QT_QPA_PLATFORM=offscreen "$bench" --benchmark_min_time=0.5

echo "== plans as run"
QT_QPA_PLATFORM=offscreen XQ_FLEET_EXPLAIN=1 "$bench"

if [ "${XQ_FLEET_KEEP:-0}" != 1 ]; then
    psql -q -X -c "SET client_min_messages = warning; DROP SCHEMA fleet CASCADE"
fi
