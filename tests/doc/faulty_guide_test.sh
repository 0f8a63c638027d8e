#!/usr/bin/env bash
# The guide's checker finds each fault of a page made of faults, and fails on it.
# Usage: faulty_guide_test.sh PYTHON CHECKER PAGE
set -uo pipefail
report=$("$1" "$2" "$3")
status=$?
echo "$report"
[[ $status -eq 1 ]] || { echo "exit status $status, not 1"; exit 1; }
missed=0
for fault in "a script" "outside address: https://fonts.example.net/a.css" \
    "</p> where </b> belongs" "link to #nowhere" "images/missing.png does not exist" \
    "images/unused.png without alt text" "images/stray.png is installed but the page never" \
    "</body> where </div> belongs"; do
    grep -qF -- "$fault" <<<"$report" || { echo "not reported: $fault"; missed=1; }
done
exit $missed
