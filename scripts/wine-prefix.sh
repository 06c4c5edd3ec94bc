#!/usr/bin/env bash
# wine-prefix.sh DIR: makes DIR a ready Wine prefix unless it already is one.
set -euo pipefail
prefix=$1
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
if [ ! -f "$prefix/system.reg" ]; then
    echo "wine-prefix: creating the Wine prefix $prefix (once)" >&2
    WINEPREFIX=$prefix WINEDEBUG=-all wineboot -i >/dev/null 2>&1
    WINEPREFIX=$prefix wineserver -w
fi
