#!/usr/bin/env bash
# The example unit as systemd reads it: `systemd-analyze verify` on a copy
# whose ExecStart names the program just built (verify wants it to exist).
#   verify-unit.sh UNIT PROGRAM
set -euo pipefail
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
sed "s|^ExecStart=[^ ]*|ExecStart=$2|" "$1" >"$dir/xq-dashboard.service"
grep -q "^ExecStart=$2 " "$dir/xq-dashboard.service"
systemd-analyze verify "$dir/xq-dashboard.service"
