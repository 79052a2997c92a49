#!/usr/bin/env bash
# The desktop entry passes desktop-file-validate without a single error, warning or hint.
set -u
entry=$1
command -v desktop-file-validate >/dev/null || { echo "desktop-file-validate is missing (scripts/setup.sh)"; exit 1; }
report=$(desktop-file-validate "$entry" 2>&1)
status=$?
if [ $status -ne 0 ] || [ -n "$report" ]; then
    echo "desktop-file-validate $entry (status $status):"
    echo "$report"
    exit 1
fi
echo "desktop-file-validate: $entry is valid"
