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
exec "$build/examples/demo-station/demo-station" "$@"
