#!/usr/bin/env bash
# Builds the library, the tests and the demo a second time with
# AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer, runs every
# test and the demo once, and fails on the first report. Kept lean so that it
# costs minutes, not the half hour: its own build folder, no benchmarks, no
# outside program, no fuzzer, no Python module (an uninstrumented python3 cannot
# load an instrumented one), -O1 and line tables only.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="${XQ_SANITIZE_BUILD:-$top/build-sanitize}"
jobs="$(nproc)"
"$top/scripts/install-deps.sh"

flags="-O1 -gline-tables-only -fno-omit-frame-pointer -fsanitize=address,undefined"
flags="$flags -fno-sanitize-recover=all"
# Any report ends the process with an error, so ctest and this script fail.
# Qt is not instrumented; the only leak suppressed is one inside liblxi
# (scripts/lsan.supp), so any other leak at exit fails too.
export LSAN_OPTIONS="suppressions=$top/scripts/lsan.supp"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1:detect_stack_use_after_return=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"

# The Python module is left out: python3 carries no sanitizer runtime to load
# an instrumented library into.
echo "== build with sanitizers"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE= \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
      -DCMAKE_CXX_FLAGS="$flags" \
      -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined -fuse-ld=lld" \
      -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined -fuse-ld=lld" \
      -DCMAKE_MODULE_LINKER_FLAGS="-fuse-ld=lld" \
      -DXQ_BUILD_BENCH=OFF -DXQ_BUILD_FUZZ=OFF -DXQ_BUILD_TESTS=ON -DXQ_BUILD_EXAMPLES=ON \
      -DXQ_BUILD_PYTHON=OFF \
      >/dev/null
cmake --build "$build" -j "$jobs"

echo "== tests with sanitizers"
ctest --test-dir "$build" -j "$jobs" --output-on-failure --timeout 300

echo "== demo with sanitizers"
station="$(mktemp -d)"
trap 'rm -rf "$station"' EXIT
cp "$top"/examples/station/* "$station/"
# The demo's LAN multimeter, on loopback while the demo runs.
"$build/src/instruments/sim/xq-sim-lan" "$station/bench.gpib" >"$station/lan.out" &
lan_simulator=$!
trap 'kill "$lan_simulator" 2>/dev/null; rm -rf "$station"' EXIT
for _ in $(seq 50); do
    grep -q '^ready' "$station/lan.out" && break
    sleep 0.1
done
(cd "$station" && WinDir="$station" XQ_REPORT_PDF=1 QT_QPA_PLATFORM=offscreen \
     XQ_GPIB_LIBRARY="$build/src/instruments/sim/libxqgpib-sim.so" \
     XQ_GPIB_SIM_BUS="$station/bench.gpib" \
     "$build/examples/demo-station/demo-station" --auto --station "$station" >/dev/null)
echo "Sanitizer checks passed."
