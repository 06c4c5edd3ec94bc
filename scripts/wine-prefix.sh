#!/usr/bin/env bash
# wine-prefix.sh DIR [--unmanaged]: makes DIR a ready Wine prefix unless it already is one.
# --unmanaged keeps Wine's windows away from any window manager: on a virtual display
# there is none, and Wine would wait two seconds for one each time a window closes.
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
# Also for a prefix made before without it (an older build folder).
if [ "${2:-}" = --unmanaged ] && ! grep -q '^"Managed"="N"' "$prefix/user.reg" 2>/dev/null; then
    WINEPREFIX=$prefix WINEDEBUG=-all wine reg add 'HKCU\Software\Wine\X11 Driver' \
        /v Managed /d N /f >/dev/null 2>&1
    WINEPREFIX=$prefix wineserver -w
fi
