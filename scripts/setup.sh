#!/usr/bin/env bash
# Installs what building and testing Tagloom needs on Debian 12, and nothing twice.
# Safe to run again: it only installs packages that are missing.
set -euo pipefail

packages=(cmake make g++ googletest g++-mingw-w64-i686 binutils-mingw-w64-i686
          wine wine32:i386 xvfb x11-utils imagemagick xauth procps perl)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    echo "setup: missing packages: ${missing[*]}; run 'make setup' as root" >&2
    exit 1
fi

echo "setup: installing ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
