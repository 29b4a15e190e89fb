#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Sets up the machine, builds the debug configuration and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset dev >/dev/null
cmake --build --preset dev
ctest --preset dev "$@"
