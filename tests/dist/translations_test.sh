#!/bin/sh
# Every text of the Japanese translation is finished: lrelease counts none unfinished.
# Usage: translations_test.sh LRELEASE TS_FILE
set -eu
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
report=$("$1" "$2" -qm "$out/check.qm" 2>&1)
echo "$report"
echo "$report" | grep -q "(.* finished and 0 unfinished)"
