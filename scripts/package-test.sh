#!/usr/bin/env bash
# Builds the Debian packages (scripts/package.sh FOLDER), installs them with
# apt-get onto this machine, and uses them as a plant would: builds
# examples/consumer against the installed -dev package, imports the module
# with Debian's python3, makes a run-table database with xq-db and starts
# xq-dashboard from its package on it. The packages are purged afterwards,
# also when a check fails. A clean root (a chroot) would need a Debian base
# system made first, which takes longer than the rest of the test command.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
out="$(realpath -m "${1:-$top/build-deb}")"

"$top/scripts/package.sh" "$out"

packages=(libxqtestdev1 libxqtestdev-dev python3-xqtestdev xqtestdev-dashboard xqtestdev-tools)
for package in "${packages[@]}"; do
    if dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
        echo "$package is installed on this machine already: not testing over it" >&2
        exit 1
    fi
done

work="$(mktemp -d)"
dashboard_pid=""
cleanup() {
    [ -n "$dashboard_pid" ] && kill "$dashboard_pid" 2>/dev/null || true
    DEBIAN_FRONTEND=noninteractive apt-get purge -y -o DPkg::Lock::Timeout=300 \
        "${packages[@]}" >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT

echo "== install the packages"
debs=()
for package in "${packages[@]}"; do
    debs+=("$(ls "$out/${package}"_*.deb)")
done
DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
    -o DPkg::Lock::Timeout=300 "${debs[@]}" >/dev/null
getent passwd xq-dashboard >/dev/null

echo "== examples/consumer against the installed package"
# A plain environment: nothing of the build tree may be found.
clean_env=(env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME="$work" QT_QPA_PLATFORM=offscreen)
"${clean_env[@]}" cmake -S "$top/examples/consumer" -B "$work/consumer" -G Ninja >/dev/null
"${clean_env[@]}" cmake --build "$work/consumer" >/dev/null
"${clean_env[@]}" "$work/consumer/consumer"
# Merged /usr: the loader may name /lib for /usr/lib. The list is read whole
# first: grep -q stops at its match, and ldd, still writing, would end on a
# broken pipe that pipefail counts as a failure.
libraries="$(ldd "$work/consumer/consumer")"
grep -Eq "libXQTestDev.so.1 => (/usr)?/lib/" <<<"$libraries"

echo "== the module with Debian's python3"
"${clean_env[@]}" /usr/bin/python3 -c '
import xqtestdev
assert xqtestdev.__file__.startswith("/usr/lib/python3/dist-packages/"), xqtestdev.__file__
xqtestdev.XQUtility32()
library = [l.split()[-1] for l in open("/proc/self/maps") if "libXQTestDev" in l][0]
assert library.startswith(("/usr/lib/", "/lib/")), library
print("xqtestdev", xqtestdev.XQUtility32().GetDLLVersion(), "from", xqtestdev.__file__)'

echo "== xq-dashboard from its package"
database="$work/station.db"
"${clean_env[@]}" /usr/bin/xq-db migrate --database "sqlite:$database"
port=$(/usr/bin/python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
"${clean_env[@]}" /usr/bin/xq-dashboard --database "sqlite:$database" --listen "127.0.0.1:$port" \
    >"$work/dashboard.log" 2>&1 &
dashboard_pid=$!
answer=""
for _ in $(seq 1 100); do
    answer=$(curl -fsS "http://127.0.0.1:$port/api/runs?count=5" 2>/dev/null) && break
    kill -0 "$dashboard_pid" 2>/dev/null || break
    sleep 0.1
done
if [ "$answer" != "[]" ]; then
    echo "xq-dashboard did not answer as expected: '$answer'" >&2
    cat "$work/dashboard.log" >&2
    exit 1
fi
echo "xq-dashboard answered /api/runs: $answer"
echo "Packages installed, used and purged."
