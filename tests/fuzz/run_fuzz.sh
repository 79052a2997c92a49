#!/bin/sh
# Runs one fuzz target for a bounded time: run_fuzz.sh TARGET SECONDS WORK_FOLDER SEED_FOLDER [DICTIONARY]
# The inputs it finds interesting are kept in WORK_FOLDER/corpus for the next run; an input that
# crashes is kept in WORK_FOLDER as crash-* (or timeout-*, oom-*) and the exit status is not 0.
set -eu
target=$1
seconds=$2
work=$3
seeds=$4
dictionary=${5:-}

if [ ! -x "$target" ]; then
    echo "$target is missing: build the tarnwick_fuzz target first" >&2
    exit 1
fi
mkdir -p "$work/corpus"
set -- -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096 -print_final_stats=1 \
    -artifact_prefix="$work/"
if [ -n "$dictionary" ]; then
    set -- "$@" -dict="$dictionary"
fi
# Reports name the source lines when the symbolizer is there.
if [ -z "${ASAN_SYMBOLIZER_PATH:-}" ] && [ -x /usr/lib/llvm-14/bin/llvm-symbolizer ]; then
    export ASAN_SYMBOLIZER_PATH=/usr/lib/llvm-14/bin/llvm-symbolizer
fi
# What the font library keeps for the life of the process is no leak of ours.
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$(dirname "$0")/lsan.supp}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"
exec "$target" "$@" "$work/corpus" "$seeds"
