#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Windows build's tests under Wine: cross-builds everything that needs no Qt, then
# runs the drive, settings, monitor, report and Windows back-end tests under Wine, and
# compares orvane-report.exe with the native orvane-report on every shipped recording,
# byte for byte. Wine's prefix is build-windows/wine (made once, some 20 s); the user's
# own is never touched. Arguments go to ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$(date +%s)
scripts/setup.sh windows
# The native orvane-report to compare with: the debug build's, as scripts/test.sh makes it.
cmake --preset dev >/dev/null
cmake --build --preset dev --target orvane-report
scripts/build-windows.sh -DORVANE_NATIVE_REPORT="$PWD/build/orvane-report"
ctest --preset windows "$@"
echo "Windows build and its tests under Wine took $(($(date +%s) - start)) s"
