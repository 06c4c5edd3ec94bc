#!/usr/bin/env bash
# wine-run-file-size-limit.sh --prefix DIR KIB PROGRAM.exe [ARG...]
# Runs a Windows program under Wine with every file it writes limited to KIB KiB, so that a
# write past the limit fails for real: SIGXFSZ is ignored, so the write comes back short or
# fails instead of killing the program. Only the program is limited: the display and the
# Wine server of a session opened for this run start before the limit is set. The program
# learns the limit, in bytes, from TAGLOOM_TEST_FILE_SIZE_LIMIT.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ "${1:-}" = --prefix ] && [ $# -ge 4 ] || { echo "usage: $0 --prefix DIR KIB PROGRAM [ARG...]" >&2; exit 2; }
prefix=$2 kib=$3
shift 3
if [ -z "${TAGLOOM_SESSION_DISPLAY:-}" ]; then
    exec "$here/wine-session.sh" --prefix "$prefix" "$0" --prefix "$prefix" "$kib" "$@"
fi
export TAGLOOM_TEST_FILE_SIZE_LIMIT=$((kib * 1024))
trap '' XFSZ
ulimit -f "$kib"
exec "$here/wine-run.sh" --prefix "$prefix" "$@"
