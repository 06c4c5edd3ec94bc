#!/usr/bin/env bash
# run.sh PROGRAM.exe: starts Tagloom under Wine in the folder that keeps its table
# ($TAGLOOM_HOME, by default ~/Tagloom). On a machine with a display the window opens
# there; without one it opens on a virtual display, a screenshot of it is saved, and
# Tagloom is closed again, as a user would close it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
build=$(dirname "$program")
home=${TAGLOOM_HOME:-$HOME/Tagloom}
mkdir -p "$home"
cd "$home"
export WINEDEBUG=${WINEDEBUG:--all}

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    export WINEPREFIX=$build/wineprefix-desktop
    echo "Starting Tagloom on $DISPLAY; its table is $home/tagloom.dat."
    echo "(The first start prepares a Wine prefix, which takes a little while.)"
    "$here/wine-prefix.sh" "$WINEPREFIX"
    exec wine "$program"
fi

shot=$build/tagloom-window.png
echo "No display: starting Tagloom on a virtual display to take a screenshot of its window."
"$here/wine-session.sh" --prefix "$build/wineprefix" bash -c '
    program=$1 shot=$2
    wine "$program" &
    for _ in $(seq 200); do
        xwininfo -root -tree 2>/dev/null | grep -q "\"Tagloom\"" && break
        sleep 0.1
    done
    sleep 1
    import -window root "$shot"
    wine taskkill /im tagloom.exe >/dev/null 2>&1 || true
    wait
' run "$program" "$shot"
echo "Tagloom started and closed again; a screenshot of its window: $shot"
