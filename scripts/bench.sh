#!/usr/bin/env bash
# bench.sh: runs the benchmarks, which print their figures. Builds nothing itself:
# `make bench` builds the `bench` and `win32` presets first.
set -euo pipefail
cd "$(dirname "$0")/.."

# --- linker: LinkInserter against the plain reference and grep -F (see bench/linker_bench.cpp)
linker_bench=build/bench/bench/linker_bench
if [ ! -x "$linker_bench" ]; then
    echo "bench: $linker_bench is missing; run 'make bench'" >&2
    exit 1
fi
"$linker_bench"
# --- end of linker

# --- window: the table file's load and save, and Add Links, in the real window under
# Wine (see bench/window_bench.cpp, which others extend with figures of their own)
window_bench=build/win32/bench/window_bench.exe
if [ ! -f "$window_bench" ]; then
    echo "bench: $window_bench is missing; run 'make bench'" >&2
    exit 1
fi
scripts/wine-run.sh --prefix "$PWD/build/win32/wineprefix" "$window_bench"
# --- end of window

# --- tagloom-link: the whole program against grep -F and a Perl script (see bench/cli_bench.cpp)
cli_bench=build/bench/bench/cli_bench
if [ ! -x "$cli_bench" ]; then
    echo "bench: $cli_bench is missing; run 'make bench'" >&2
    exit 1
fi
"$cli_bench"
# --- end of tagloom-link
