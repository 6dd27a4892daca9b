#!/bin/sh
# Runs one fuzz target under ASan and UBSan on a copy of its seed corpus.
#
#   scripts/run-fuzzer.sh TARGET [SECONDS]
#
# TARGET is nt_handler_fuzz, ninex_handler_fuzz, keyboard_handler_fuzz,
# document_load_fuzz, batch_fuzz or handover_fuzz;
# SECONDS defaults to 600. The clang tree build-fuzz is configured on first use.
# Findings land in build-fuzz/findings/TARGET/; the exit status is libFuzzer's.
set -eu

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
    echo "usage: $0 TARGET [SECONDS]" >&2
    exit 2
fi
target=$1
seconds=${2:-600}
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"
corpus="$root/fuzz/corpus/$target"

if [ ! -d "$corpus" ]; then
    echo "$0: no seed corpus for $target in fuzz/corpus" >&2
    exit 2
fi
if [ ! -f "$build/CMakeCache.txt" ]; then
    CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DVARNO_FUZZ=ON -DVARNO_TESTS=OFF -DVARNO_BENCH=OFF
fi
cmake --build "$build" --target "$target" -j2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$corpus" "$work/corpus"
findings="$build/findings/$target"
mkdir -p "$findings"
"$build/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$findings/" "$work/corpus"
