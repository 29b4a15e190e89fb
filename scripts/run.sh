#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Sets up the machine, builds the programs and starts orvane-demo: the window on the drive
# recordings of assets/drives. On a machine without a display it runs the demo on a virtual
# one (Xvfb), saves a screenshot of it and prints the screenshot's path.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release >/dev/null
# The demo keeps its config.xml in its own folder, not in the source tree.
mkdir -p build-release/demo
cd build-release/demo
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec ../orvane-demo "$@"
fi
shot="$PWD/orvane-demo.png"
xvfb-run -a -s "-screen 0 1024x768x24" ../orvane-demo --screenshot "$shot" "$@" >/dev/null
echo "No display here: the demo ran on a virtual one. Screenshot: $shot"
