#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the program and the tests need (run as root).
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    clang-14 libclang-rt-14-dev llvm-14
    qt6-base-dev qt6-translations-l10n qt6-tools-dev qt6-l10n-tools libgl-dev libcurl4-openssl-dev libuchardet-dev
    googletest libgtest-dev
    python3 python3-pyftpdlib openssl ca-certificates
    fonts-ipafont-gothic xvfb
    dpkg-dev file desktop-file-utils appstream groff-base man-db mandoc
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
