#!/usr/bin/env bash
# Builds the library and runs the demo station. Without a display it runs
# offscreen and answers its own dialogs; pass --auto to do that on a desktop.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/install-deps.sh"

build="$top/build-demo"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DXQ_BUILD_TESTS=OFF -DXQ_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target demo-station
# Without a GPIB bus the demo's instruments live on the simulated bus.
export XQ_GPIB_LIBRARY="${XQ_GPIB_LIBRARY:-$build/src/instruments/sim/libxqgpib-sim.so}"
export XQ_GPIB_SIM_BUS="${XQ_GPIB_SIM_BUS:-$top/examples/station/bench.gpib}"
exec "$build/examples/demo-station/demo-station" "$@"
