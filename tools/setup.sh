#!/bin/sh
# Installs what building needs on a fresh Debian machine, only what is missing.
set -e
need=""
for pkg in g++ cmake ninja-build qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev libgl-dev libgtest-dev libbenchmark-dev; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || need="$need $pkg"
done
if [ -n "$need" ]; then
    echo "Installing:$need"
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq $need
fi
