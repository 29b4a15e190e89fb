#!/usr/bin/env bash
# Cross-builds the Windows orvane-report.exe with MinGW-w64: the drive code, the settings,
# the monitor library and the Windows back-ends' factory compile (and the tool links) for
# Windows.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh windows
cmake --preset windows >/dev/null
cmake --build --preset windows
ls -l build-windows/orvane-report.exe
