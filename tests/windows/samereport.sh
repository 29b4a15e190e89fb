#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# orvane-report.exe under Wine prints, byte for byte, what the native build prints: for
# every recording in DRIVES as tables and as JSON, four drives at once, and a refused
# recording (standard error and exit status included).
#   samereport.sh NATIVE_REPORT WINDOWS_REPORT DRIVES EMULATOR...
set -u
native=$1
windows=$2
drives=$3
shift 3
emulator=("$@")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0

same() {
    local label=$1
    shift
    "$native" "$@" >"$scratch/native" 2>&1
    local native_status=$?
    "${emulator[@]}" "$windows" "$@" >"$scratch/windows" 2>&1 </dev/null
    local windows_status=$?
    if [ "$native_status" != "$windows_status" ] || ! cmp -s "$scratch/native" "$scratch/windows"; then
        echo "DIFFERENT: $label (exit $native_status natively, $windows_status under Wine)"
        diff "$scratch/native" "$scratch/windows" | head -20
        failures=$((failures + 1))
    else
        echo "same: $label ($(wc -c <"$scratch/native") bytes, exit $native_status)"
    fi
}

recordings=("$drives"/*.rec)
[ -e "${recordings[0]}" ] || { echo "no recordings in $drives" && exit 1; }
for recording in "${recordings[@]}"; do
    name=$(basename "$recording")
    same "$name" --drive 0="$recording"
    same "$name --json" --json --drive 0="$recording"
done
same "four drives" --drive 0="${recordings[0]}" --drive 1="${recordings[1]}" --drive 3="${recordings[2]}" \
    --drive 2="${recordings[3]}"
printf 'orvane-drive-recording 1\nenable maybe\n' >"$scratch/broken.rec"
same "a refused recording" --drive 0="$scratch/broken.rec"
same "a wrong option" --drive 7=x
exit $((failures > 0))
