#!/usr/bin/env bash
# Builds the library and runs the demo station. Without a display it runs
# offscreen and answers its own dialogs; pass --auto to do that on a desktop.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/install-deps.sh"

build="$top/build-demo"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DXQ_BUILD_TESTS=OFF -DXQ_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target demo-station xq-sim-lan
# Without a GPIB bus the demo's instruments live on the simulated bus.
export XQ_GPIB_LIBRARY="${XQ_GPIB_LIBRARY:-$build/src/instruments/sim/libxqgpib-sim.so}"
export XQ_GPIB_SIM_BUS="${XQ_GPIB_SIM_BUS:-$top/examples/station/bench.gpib}"
# The LAN instruments of the same bench file, on loopback while the demo runs.
lan_out="$(mktemp)"
"$build/src/instruments/sim/xq-sim-lan" "$XQ_GPIB_SIM_BUS" >"$lan_out" &
lan_simulator=$!
trap 'kill "$lan_simulator" 2>/dev/null; wait "$lan_simulator" 2>/dev/null; rm -f "$lan_out"' EXIT
for _ in $(seq 50); do
    grep -q '^ready' "$lan_out" && break
    kill -0 "$lan_simulator" 2>/dev/null || break
    sleep 0.1
done
"$build/examples/demo-station/demo-station" "$@"
