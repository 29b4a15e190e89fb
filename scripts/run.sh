#!/usr/bin/env bash
# Sets up the machine, builds the programs and runs orvane-report with the given options.
# Without options it reads the real disks (run it with sudo for that).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release >/dev/null
exec build-release/orvane-report "$@"
