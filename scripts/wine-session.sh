#!/usr/bin/env bash
# wine-session.sh --prefix DIR COMMAND [ARG...]
# Runs COMMAND with a virtual X display of its own and a Wine server kept alive for the
# Wine prefix DIR, and takes both down again when COMMAND ends, however it ends.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)

[ "${1:-}" = --prefix ] || { echo "usage: $0 --prefix DIR COMMAND [ARG...]" >&2; exit 2; }
export WINEPREFIX=$2; shift 2
export WINEDEBUG=${WINEDEBUG:--all}

xvfb_pid=
cleanup() {
    wineserver -k >/dev/null 2>&1
    wineserver -w >/dev/null 2>&1
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# Xvfb on the first display number that is free; another session may take the same
# number at the same moment, so a failed start just moves on to the next one.
for n in $(seq 90 190); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -e "/tmp/.X11-unix/X$n" ] && break
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.05
    done
    if [ -e "/tmp/.X11-unix/X$n" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
        export DISPLAY=":$n" TAGLOOM_SESSION_DISPLAY=":$n"
        break
    fi
    wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=
done
[ -n "$xvfb_pid" ] || { echo "wine-session: could not start Xvfb" >&2; exit 1; }

"$here/wine-prefix.sh" "$WINEPREFIX" --unmanaged || exit 1
wineserver -p
# Start Wine's background services now, with their output going nowhere: started by the
# first program instead, they would inherit its output pipe and hold it open, and
# whoever waits for that program's output (ctest) would wait until the session ends.
wine wineboot >/dev/null 2>&1 </dev/null
"$@"
