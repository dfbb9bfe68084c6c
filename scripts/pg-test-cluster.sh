#!/usr/bin/env bash
# A private PostgreSQL cluster for the database tests and benchmarks.
#
#   pg-test-cluster.sh start STATE_DIR   initdb in a temporary folder as an
#       unprivileged user, start it on a free local port, make a role with a
#       password and one database; writes STATE_DIR/cluster.env with
#       XQ_PG_HOST, XQ_PG_PORT, XQ_PG_USER, XQ_PG_PASSWORD, XQ_PG_DATABASE.
#   pg-test-cluster.sh stop STATE_DIR    stops the cluster and removes its folder.
#   pg-test-cluster.sh restart STATE_DIR restarts the running cluster on its port
#       (its clients' connections are cut).
#   pg-test-cluster.sh env STATE_DIR COMMAND...
#       runs COMMAND with the variables of cluster.env when the cluster runs.
set -euo pipefail

action="${1:-}"
state="${2:-}"
[ -n "$action" ] && [ -n "$state" ] || { echo "usage: $0 start|stop|env STATE_DIR [COMMAND...]" >&2; exit 2; }
env_file="$state/cluster.env"

find_bindir() {
    local dir
    for dir in "${XQ_PG_BINDIR:-}" /usr/lib/postgresql/15/bin /usr/lib/postgresql/*/bin; do
        if [ -n "$dir" ] && [ -x "$dir/initdb" ] && [ -x "$dir/pg_ctl" ]; then
            echo "$dir"
            return 0
        fi
    done
    if command -v pg_config >/dev/null && [ -x "$(pg_config --bindir)/initdb" ]; then
        pg_config --bindir
        return 0
    fi
    echo "PostgreSQL server binaries not found (install postgresql-15)" >&2
    return 1
}

# The server refuses to run as root: as root, run it as the postgres user
# (made by the server package) or as nobody.
cluster_user() {
    if [ "$(id -u)" -ne 0 ]; then
        id -un
    elif id postgres >/dev/null 2>&1; then
        echo postgres
    else
        echo nobody
    fi
}

as_user() {
    local user="$1"
    shift
    if [ "$(id -un)" = "$user" ]; then
        "$@"
    else
        runuser -u "$user" -- "$@"
    fi
}

port_is_free() {
    ! (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null
}

start() {
    local bindir user data port password attempt
    bindir="$(find_bindir)"
    user="$(cluster_user)"
    mkdir -p "$state"
    [ -f "$env_file" ] && stop
    data="$(mktemp -d /tmp/xq-pg-test.XXXXXX)"
    chown "$user" "$data"
    chmod 700 "$data"
    password="xq-$(od -An -N8 -tx1 /dev/urandom | tr -d ' \n')"
    printf '%s\n' "$password" >"$data/superuser.pw"
    chown "$user" "$data/superuser.pw"
    as_user "$user" "$bindir/initdb" -D "$data/db" -U xq_super --pwfile="$data/superuser.pw" \
        --auth-local=trust --auth-host=scram-sha-256 -E UTF8 --locale=C.UTF-8 >"$data/initdb.log" 2>&1 ||
        { cat "$data/initdb.log" >&2; rm -rf "$data"; return 1; }
    echo "$data" >"$state/data_dir"
    for attempt in 1 2 3 4 5 6 7 8; do
        port=$((20000 + RANDOM % 20000))
        port_is_free "$port" || continue
        if as_user "$user" "$bindir/pg_ctl" -D "$data/db" -l "$data/server.log" -w -t 30 \
            -o "-p $port -c listen_addresses=127.0.0.1 -c unix_socket_directories=$data" start >/dev/null; then
            break
        fi
        port=""
    done
    [ -n "$port" ] || { cat "$data/server.log" >&2; return 1; }
    as_user "$user" "$bindir/psql" -h "$data" -p "$port" -U xq_super -d postgres -v ON_ERROR_STOP=1 -q \
        -c "CREATE ROLE xq_station LOGIN PASSWORD '$password'" \
        -c "CREATE ROLE xq_writer LOGIN PASSWORD '$password'" \
        -c "CREATE DATABASE xq_results OWNER xq_station" >/dev/null
    cat >"$env_file" <<VARS
XQ_PG_HOST=127.0.0.1
XQ_PG_PORT=$port
XQ_PG_USER=xq_station
XQ_PG_PASSWORD=$password
XQ_PG_DATABASE=xq_results
XQ_PG_WRITER_USER=xq_writer
VARS
    echo "PostgreSQL test cluster on 127.0.0.1:$port (data in $data)"
}

stop() {
    local bindir user data
    [ -f "$state/data_dir" ] || { rm -f "$env_file"; return 0; }
    data="$(cat "$state/data_dir")"
    bindir="$(find_bindir)"
    user="$(cluster_user)"
    if [ -d "$data/db" ]; then
        as_user "$user" "$bindir/pg_ctl" -D "$data/db" -m immediate -w stop >/dev/null 2>&1 || true
    fi
    case "$data" in /tmp/xq-pg-test.*) rm -rf "$data" ;; esac
    rm -f "$env_file" "$state/data_dir"
    echo "PostgreSQL test cluster stopped"
}

restart() {
    local bindir user data
    data="$(cat "$state/data_dir")"
    bindir="$(find_bindir)"
    user="$(cluster_user)"
    as_user "$user" "$bindir/pg_ctl" -D "$data/db" -l "$data/server.log" -m fast -w -t 30 restart >/dev/null
}

case "$action" in
start) start ;;
stop) stop ;;
restart) restart ;;
env)
    shift 2
    if [ -f "$env_file" ]; then
        set -a
        # shellcheck disable=SC1090
        . "$env_file"
        set +a
    else
        export XQ_PG_CLUSTER_NOT_RUNNING="$env_file is missing"
    fi
    exec "$@"
    ;;
*)
    echo "usage: $0 start|stop|restart|env STATE_DIR [COMMAND...]" >&2
    exit 2
    ;;
esac
