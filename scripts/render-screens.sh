#!/usr/bin/env bash
# Renders the demo station's screens as an operator meets them: 1024x768,
# 1366x768, 1920x1080 and 1920x1080 at scale 2, each PNG with a deuteranopia
# and a protanopia simulation beside it. Usage: render-screens.sh <folder>
# (uses the build in build/ of the repository, or XQ_BUILD_DIR).
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:?usage: render-screens.sh <folder>}"
build="${XQ_BUILD_DIR:-$top/build}"
cmake --build "$build" --target demo-station xq-sim-lan xq_colour_vision
export XQ_GPIB_LIBRARY="$build/src/instruments/sim/libxqgpib-sim.so"
export XQ_GPIB_SIM_BUS="$top/examples/station/bench.gpib"
lan_out="$(mktemp)"
"$build/src/instruments/sim/xq-sim-lan" "$XQ_GPIB_SIM_BUS" >"$lan_out" &
lan_simulator=$!
screens="$(mktemp -d)"
trap 'kill "$lan_simulator" 2>/dev/null; wait "$lan_simulator" 2>/dev/null; rm -rf "$lan_out" "$screens"' EXIT
for _ in $(seq 50); do
    grep -q '^ready' "$lan_out" && break
    sleep 0.1
done
for size in 1024x768x1 1366x768x1 1920x1080x1 1920x1080x2; do
    IFS=x read -r width height scale <<<"$size"
    name="${width}x${height}-scale${scale}"
    # The offscreen screen is given in device pixels; QT_SCALE_FACTOR makes
    # its logical size smaller.
    cat >"$screens/$name.json" <<JSON
{"synthesizedWindows": false, "screens": [{"name": "Station", "x": 0, "y": 0,
 "width": $width, "height": $height, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]}
JSON
    mkdir -p "$out/$name"
    QT_QPA_PLATFORM="offscreen:configfile=$screens/$name.json" QT_SCALE_FACTOR="$scale" \
        XQ_DEMO_SHOTS="$out/$name" "$build/examples/demo-station/demo-station" --auto \
        >"$out/$name/demo.log" 2>&1 || echo "demo at $name exited $?" >&2
    find "$out/$name" -name '*.png' ! -name '*-deuteranopia.png' ! -name '*-protanopia.png' \
        -exec env QT_QPA_PLATFORM=offscreen "$build/tests/xq_colour_vision" {} +
done
echo "screens in $out"
