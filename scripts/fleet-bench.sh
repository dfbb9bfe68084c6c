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
# folder holding bench/bench_dashboard (default: build), XQ_BENCH_MIN_TIME
# the seconds each answer is measured for (default 0.5). The schema is dropped
# at the end unless XQ_FLEET_KEEP=1.
#
# Then it serves the fleet with the build's xq-dashboard and measures it with
# Apache's ab (Debian apache2-utils) on loopback: XQ_AB_REQUESTS requests
# (default 5000) from XQ_AB_CLIENTS concurrent clients (default 20) to the
# overview, /api/yield, /api/pareto and a product page, beside the same run
# against the bare static file (the floor: the server's own work without
# the database's).
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
QT_QPA_PLATFORM=offscreen "$bench" --benchmark_min_time="${XQ_BENCH_MIN_TIME:-0.5}"

echo "== plans as run"
QT_QPA_PLATFORM=offscreen XQ_FLEET_EXPLAIN=1 "$bench"

dashboard="$build/src/dashboard/xq-dashboard"
if [ -x "$dashboard" ] && command -v ab >/dev/null; then
    requests="${XQ_AB_REQUESTS:-5000}"
    clients="${XQ_AB_CLIENTS:-20}"
    echo "== xq-dashboard under ab: $requests requests, $clients at a time (times in ms)"
    out="$(mktemp)"
    XQ_DASHBOARD_DATABASE="postgresql://$PGUSER:$PGPASSWORD@$PGHOST:$PGPORT/$PGDATABASE?schema=fleet" \
        "$dashboard" --listen 127.0.0.1:0 >"$out" 2>&1 &
    server=$!
    port=""
    for _ in $(seq 100); do
        port="$(sed -n 's|.*serving .* on http://127.0.0.1:\([0-9]*\)/.*|\1|p' "$out")"
        [ -n "$port" ] && break
        sleep 0.1
    done
    [ -n "$port" ] || { cat "$out" >&2; kill "$server"; exit 1; }
    product="$(psql -q -X -t -A -c "SELECT product FROM fleet.xq_run LIMIT 1")"
    printf '%-34s %8s %7s %6s %6s %6s %6s\n' page "req/s" failed mean p50 p99 max
    for page in /static/dashboard.css / /api/yield "/api/pareto?product=$product" \
                "/product/$product"; do
        report="$(ab -q -n "$requests" -c "$clients" "http://127.0.0.1:$port$page" 2>&1)" ||
            { echo "$report" >&2; kill "$server"; exit 1; }
        rate="$(awk '/^Requests per second/ {print $4}' <<<"$report")"
        failed="$(awk '/^Failed requests/ {print $3}' <<<"$report")"
        non2xx="$(awk '/^Non-2xx responses/ {print $3}' <<<"$report")"
        mean="$(awk '/^Time per request.*\(mean\)$/ {print $4}' <<<"$report")"
        p50="$(awk '$1 == "50%" {print $2}' <<<"$report")"
        p99="$(awk '$1 == "99%" {print $2}' <<<"$report")"
        max="$(awk '$1 == "100%" {print $2}' <<<"$report")"
        printf '%-34s %8s %7s %6s %6s %6s %6s\n' "$page" "$rate" "$((failed + ${non2xx:-0}))" \
            "$mean" "$p50" "$p99" "$max"
    done
    kill "$server"
    wait "$server" 2>/dev/null || true
    rm -f "$out"
fi

if [ "${XQ_FLEET_KEEP:-0}" != 1 ]; then
    psql -q -X -c "SET client_min_messages = warning; DROP SCHEMA fleet CASCADE"
fi
