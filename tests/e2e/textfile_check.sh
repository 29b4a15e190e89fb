#!/bin/sh
# SPDX-License-Identifier: MIT
# The textfile writer of the systemd service: a complete file replaces orvane.prom in one
# rename, a failed run leaves the previous file as it was, and no temporary file stays.
#   textfile_check.sh WRITER PROGRAM-FOLDER ASSETS-DRIVES-FOLDER
set -eu
writer=$1
PATH=$2:$PATH
drives=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

set +e
"$writer" "$work" --drive 0="$drives/failing-st2000dm001.rec"
status=$?
set -e
[ "$status" -eq 4 ] || fail "a drive with a BAD attribute gives status $status, not 4"
grep -q '^orvane_attribute_ok{drive="0",.*,id="5",name="Reallocated Sector Count"} 0$' "$work/orvane.prom" \
    || fail "the written file lacks the BAD attribute"
[ "$(stat -c %a "$work/orvane.prom")" = 644 ] || fail "the collector cannot read orvane.prom"
cp "$work/orvane.prom" "$work/before"

printf 'orvane-drive-recording 1\nenable maybe\n' >"$work/broken.rec"
set +e
"$writer" "$work" --drive 0="$work/broken.rec" 2>/dev/null
status=$?
set -e
[ "$status" -eq 1 ] || fail "a broken recording gives status $status, not 1"
cmp -s "$work/before" "$work/orvane.prom" || fail "a failed run replaced orvane.prom"

set +e
"$writer" "$work/missing" --drive 0="$drives/wdc-wd10ezex.rec" 2>/dev/null
status=$?
set -e
[ "$status" -eq 1 ] || fail "a missing folder gives status $status, not 1"

leftovers=$(find "$work" -name '.orvane.prom.*')
[ -z "$leftovers" ] || fail "temporary files left: $leftovers"
echo "the textfile writer replaces orvane.prom only with complete output"
