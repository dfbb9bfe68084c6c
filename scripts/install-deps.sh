#!/usr/bin/env bash
# Installs what building XQTestDev needs on Debian 12, only what is missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ clang lld pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-psql libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-dejavu-core fonts-liberation
    postgresql-15
    libclang-rt-14-dev
    liblxi-dev libtirpc-dev
    pybind11-dev python3-dev python3-pytest python3-jsonschema mypy
    libjs-chart.js chromium
    lintian dpkg-dev fakeroot curl
    libmicrohttpd-dev libgnutls28-dev libpq-dev libsqlite3-dev apache2-utils openssl
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
        missing+=("$package")
    fi
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    if [ "$(id -u)" -ne 0 ]; then
        echo "Run as root (or install these packages): ${missing[*]}" >&2
        exit 1
    fi
    apt-get update
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi
