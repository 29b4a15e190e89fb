#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package of Orvane (build-package/orvane_VERSION_ARCH.deb) and prints its
# path. Install it with: sudo apt install ./build-package/orvane_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset package >/dev/null
cmake --build --preset package >&2
rm -f build-package/orvane_*.deb
cpack --preset package >/dev/null
ls "$PWD"/build-package/orvane_*.deb
