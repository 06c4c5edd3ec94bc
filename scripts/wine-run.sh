#!/usr/bin/env bash
# wine-run.sh --prefix DIR PROGRAM.exe [ARG...]
# Runs a Windows program under Wine in the prefix DIR. Outside a wine-session it opens
# one for this run alone, so a test never lands on the user's own display.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ "${1:-}" = --prefix ] || { echo "usage: $0 --prefix DIR PROGRAM [ARG...]" >&2; exit 2; }
prefix=$2
if [ -z "${TAGLOOM_SESSION_DISPLAY:-}" ]; then
    exec "$here/wine-session.sh" --prefix "$prefix" "$0" "$@"
fi
shift 2
export WINEPREFIX=$prefix DISPLAY=$TAGLOOM_SESSION_DISPLAY WINEDEBUG=${WINEDEBUG:--all}
exec wine "$@"
