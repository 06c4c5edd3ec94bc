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
