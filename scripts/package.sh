#!/usr/bin/env bash
# Builds the Debian packages of the release build into FOLDER (build-deb when
# not given) and checks them with lintian, failing on any error it reports:
#   libxqtestdev1 libxqtestdev-dev python3-xqtestdev xqtestdev-dashboard xqtestdev-tools
# XQ_PACKAGE_BUILD_TYPE chooses another build type (the packages are stripped
# either way); XQ_PACKAGE_FROM_BUILD packages a build folder configured for
# the prefix /usr as it stands.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
out="$(realpath -m "${1:-build-deb}")"
build="$out/build"
build_type="${XQ_PACKAGE_BUILD_TYPE:-Release}"

mkdir -p "$out"
if [ -n "${XQ_PACKAGE_FROM_BUILD:-}" ]; then
    # The test command packages its own build (configured for /usr) instead
    # of building everything a second time.
    build="$XQ_PACKAGE_FROM_BUILD"
    grep -q '^CMAKE_INSTALL_PREFIX:PATH=/usr$' "$build/CMakeCache.txt" || {
        echo "$build is not configured for the prefix /usr" >&2
        exit 1
    }
else
    echo "== configure ($build_type, prefix /usr)"
    # Installed into the system's own folders, the programs and the module
    # find the library there: no search path of their own (Debian forbids
    # one). Debian's hardening flags (stack protector, fortified calls,
    # read-only relocations), without its -g: the packages are stripped.
    # Warnings are checked by the test build; a release build does not stop
    # on them.
    CXXFLAGS="$(DEB_CXXFLAGS_MAINT_STRIP=-g dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
    LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="$build_type" \
          -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_SKIP_INSTALL_RPATH=ON \
          -DXQ_BUILD_TESTS=OFF -DXQ_BUILD_BENCH=OFF -DXQ_BUILD_EXAMPLES=OFF >/dev/null
    echo "== build"
    cmake --build "$build" -j "$(nproc)"
fi
echo "== packages"
rm -f "$out"/*.deb
(cd "$build" && cpack -G DEB -B "$out/cpack" >/dev/null)
mv "$out"/cpack/*.deb "$out/"
rm -rf "$out/cpack"
ls -1 "$out"/*.deb

echo "== lintian"
# Errors fail; warnings are shown. The tags suppressed do not apply to packages
# built outside Debian's archive (no source package, no signed upload).
lintian --fail-on error --no-tag-display-limit \
        --suppress-tags no-manual-page \
        "$out"/*.deb
echo "Packages in $out"
