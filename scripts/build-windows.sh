#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Cross-builds everything that needs no Qt for 64-bit Windows with MinGW-w64
# (build-windows/): orvane-report.exe, the libraries with their Windows back-ends, and the
# tests. scripts/test-windows.sh also runs the tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh windows
cmake --preset windows "$@" >/dev/null
cmake --build --preset windows
ls -l build-windows/orvane-report.exe
