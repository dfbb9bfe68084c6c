#!/usr/bin/env bash
# Builds everything with warnings as errors and runs the whole test suite:
# the Python tests against the optimised build, a bounded fuzz run of the INI
# parser, an outside program built against the installed library, the Debian
# packages and the benchmarks; then every C++ unit and window test (offscreen)
# and the demo under AddressSanitizer, UndefinedBehaviorSanitizer and
# LeakSanitizer (scripts/sanitize.sh).
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/install-deps.sh"

build="$top/build-ci"
jobs="$(nproc)"

stage() {
    echo "== $1 (at $((SECONDS / 60)) min $((SECONDS % 60)) s)"
}

stage build
# Optimised as a station runs it, without debug information and linked by
# lld: the time this command may take goes to tests, not to the linker.
# Configured for /usr, as the Debian packages made from it below. The C++
# tests are built once, under the sanitizers at the end: compiling them twice
# would cost a third of this command's time and find nothing more.
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG" \
      -DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld -DCMAKE_SHARED_LINKER_FLAGS=-fuse-ld=lld \
      -DCMAKE_MODULE_LINKER_FLAGS=-fuse-ld=lld \
      -DXQ_WARNINGS_AS_ERRORS=ON -DXQ_BUILD_CXX_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build "$build" -j "$jobs"

stage "Python tests"
ctest --test-dir "$build" -j "$jobs" --output-on-failure --timeout 300

stage "fuzz the INI parser"
cmake -S "$top/tests/fuzz" -B "$build/fuzz" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build/fuzz"
mkdir -p "$build/fuzz/corpus"
cp "$top"/examples/station/*.INI "$build/fuzz/corpus/"
"$build/fuzz/ini_fuzzer" -artifact_prefix="$build/fuzz/" -max_total_time=30 -max_len=65536 -rss_limit_mb=2048 \
    "$build/fuzz/corpus" 2>&1 | tail -n 3

stage "outside program against the installed library"
cmake --install "$build" --prefix "$build/install" >/dev/null
library=$(find "$build/install" -name 'libXQTestDev.so.*' | head -n 1)
cmake -S "$top/examples/consumer" -B "$build/consumer" -G Ninja \
      -DCMAKE_PREFIX_PATH="$build/install" >/dev/null
cmake --build "$build/consumer"
QT_QPA_PLATFORM=offscreen LD_LIBRARY_PATH="$(dirname "$library")" "$build/consumer/consumer"
# The installed Python module loads the installed library from beside it.
module=$(find "$build/install" -name 'xqtestdev*.so' | head -n 1)
if [ -n "$module" ]; then
    QT_QPA_PLATFORM=offscreen PYTHONPATH="$(dirname "$module")" /usr/bin/python3 -c \
        'import sys, xqtestdev; xqtestdev.XQUtility32()
assert xqtestdev.__file__ == sys.argv[1], xqtestdev.__file__
library = [l.split()[-1] for l in open("/proc/self/maps") if "libXQTestDev" in l][0]
assert library.startswith(sys.argv[2]), library' "$module" "$build/install/"
fi

stage "Debian packages, installed and used"
XQ_PACKAGE_FROM_BUILD="$build" "$top/scripts/package-test.sh" "$build/deb"

stage "benchmarks"
# The database benchmark also measures a PostgreSQL server: a private one.
pg_state="$build/pg-bench"
trap '"$top/scripts/pg-test-cluster.sh" stop "$pg_state" >/dev/null' EXIT
"$top/scripts/pg-test-cluster.sh" start "$pg_state"
for bench in "$build"/bench/bench_*; do
    [ -f "$bench" ] && [ -x "$bench" ] || continue
    QT_QPA_PLATFORM=offscreen "$top/scripts/pg-test-cluster.sh" env "$pg_state" \
        "$bench" --benchmark_min_time=0.05
done
# The dashboard's answers on a small generated fleet (the README names the
# million-run measurement).
"$top/scripts/pg-test-cluster.sh" env "$pg_state" env XQ_BUILD_DIR="$build" XQ_AB_REQUESTS=500 XQ_BENCH_MIN_TIME=0.05 \
    "$top/scripts/fleet-bench.sh" 10000
# SendData and a property read from Python beside the same from C++.
if [ -d "$build/bench/python" ]; then
    PYTHONPATH="$build/python:$build/bench/python" QT_QPA_PLATFORM=offscreen \
        /usr/bin/python3 "$top/bench/python/bench_python.py"
fi
stage sanitizers
"$top/scripts/sanitize.sh"
echo "All checks passed in $((SECONDS / 60)) min $((SECONDS % 60)) s."
