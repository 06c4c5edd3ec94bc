#!/usr/bin/env bash
# wine-run-unprivileged.sh --prefix DIR PROGRAM.exe [ARG...]
# Runs a Windows program under Wine as a user for whom file permissions count, so that a
# read-only file is read-only to it (to root, under Wine, nothing is). The program learns
# from TAGLOOM_TEST_UNPRIVILEGED=1 that permissions must count.
#
# As any user but root it runs the program as that user, in the prefix DIR. As root it
# makes the user tagloom-tester once, and runs a copy of the program as that user with a
# display, a Wine server and a Wine prefix of the user's own: one prefix per DIR, so that
# runs from different builds never share a Wine server (a user's first prefix takes about
# half a minute). The session's display and Wine server end with the run.
# Exits 77, which ctest counts as skipped, where no such user can be had.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ "${1:-}" = --prefix ] && [ $# -ge 3 ] || { echo "usage: $0 --prefix DIR PROGRAM [ARG...]" >&2; exit 2; }
prefix=$2
program=$(cd "$(dirname "$3")" && pwd)/$(basename "$3")
shift 3
export TAGLOOM_TEST_UNPRIVILEGED=1
if [ "$(id -u)" -ne 0 ]; then
    exec "$here/wine-run.sh" --prefix "$prefix" "$program" "$@"
fi

user=tagloom-tester
skip() { echo "wine-run-unprivileged: $*: skipped" >&2; exit 77; }
command -v runuser >/dev/null || skip "runuser is missing"
if ! id -u "$user" >/dev/null 2>&1; then
    command -v useradd >/dev/null || skip "useradd is missing"
    (
        flock 9
        id -u "$user" >/dev/null 2>&1 || useradd --create-home --shell /bin/sh "$user"
    ) 9>/tmp/tagloom-tester-useradd.lock || skip "cannot add the user $user"
fi
home=$(getent passwd "$user" | cut -d: -f6)
[ -d "$home" ] && [ "$(stat -c %U "$home")" = "$user" ] || skip "$user has no home of its own"

runs=$home/prefixes
mkdir -p "$runs"
chown "$user:" "$runs"
key=$(printf %s "$prefix" | md5sum | cut -c1-12)
userPrefix=$runs/$key

# The build folder may be closed to other users: the program and the scripts it needs go
# to a folder of the run's own, which goes again at the end.
work=$(mktemp -d /tmp/tagloom-unprivileged.XXXXXX)
child=
finish() {
    if [ -n "$child" ]; then
        kill -TERM "$child" 2>/dev/null
        wait "$child" 2>/dev/null
    fi
    rm -rf "$work"
}
trap finish EXIT
trap 'exit 143' TERM
trap 'exit 130' INT
cp "$program" "$here/wine-session.sh" "$here/wine-prefix.sh" "$here/wine-run.sh" "$work/"
chown -R "$user:" "$work"
chmod 755 "$work"

# Two runs for the same build would share the user's Wine server: one at a time.
exec 8>"$userPrefix.run-lock"
flock 8

environment=(HOME="$home" USER="$user" LOGNAME="$user" PATH="$PATH" TAGLOOM_TEST_UNPRIVILEGED=1)
[ -z "${LANG:-}" ] || environment+=(LANG="$LANG")
[ -z "${LC_ALL:-}" ] || environment+=(LC_ALL="$LC_ALL")
[ -z "${WINEDEBUG:-}" ] || environment+=(WINEDEBUG="$WINEDEBUG")
runuser -u "$user" -- env -i "${environment[@]}" \
    "$work/wine-session.sh" --prefix "$userPrefix" \
    "$work/wine-run.sh" --prefix "$userPrefix" "$work/$(basename "$program")" "$@" &
child=$!
status=0
wait "$child" || status=$?
child=
exit "$status"
