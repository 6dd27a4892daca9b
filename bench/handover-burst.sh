#!/bin/sh
# One hand-over from start to the last window shown: the files handed by
# varno-open to a freshly started editor (the probe editor, offscreen, with a
# home and runtime folder of its own). Ends once that editor has painted the
# newest window. Time it as a whole process, for example 64 files beside one:
#   varno-gen nt /tmp/f/c_1.nls; for i in $(seq 2 64); do cp /tmp/f/c_1.nls /tmp/f/c_$i.nls; done
#   /usr/bin/time -f %e bench/handover-burst.sh build /tmp/f/*.nls
#   /usr/bin/time -f %e bench/handover-burst.sh build /tmp/f/c_1.nls
# Usage: bench/handover-burst.sh BUILD_DIR FILE...
set -eu
build=$1
shift
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -m 700 "$scratch/bin" "$scratch/run"
mkfifo "$scratch/done"
# varno-open starts the varno beside it: the probe.
ln "$build/app/varno-open" "$scratch/bin/varno-open" 2>/dev/null || cp "$build/app/varno-open" "$scratch/bin/varno-open"
ln -s "$(realpath "$build/bench/varno_handover_probe")" "$scratch/bin/varno"
export HOME="$scratch" XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/run" QT_QPA_PLATFORM=offscreen
export VARNO_PROBE_FILES=$# VARNO_PROBE_DONE="$scratch/done"
"$scratch/bin/varno-open" "$@"
read -r painted < "$scratch/done"
