#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs clang-tidy (.clang-tidy at the root) over the program's own sources with the compile
# commands of the dev build (build/compile_commands.json, configured here when missing).
# Fails when any check reports something.
#   scripts/tidy.sh [FILE...]        the program's tracked sources, or the files given
set -euo pipefail
cd "$(dirname "$0")/.."
tidy=$(command -v run-clang-tidy-14 || command -v run-clang-tidy || true)
if [[ -z $tidy ]]; then
    echo "tidy: clang-tidy 14 is not installed (scripts/setup.sh)" >&2
    exit 2
fi
if [[ ! -f build/compile_commands.json ]]; then
    cmake --preset dev >/dev/null
fi
# The program's own sources (src/, lib/): Qt's generated sources (moc, resources) are not
# ours, and the tests' fakes and peers would cost CI minutes for findings of little weight
# (some five seconds a file on two cores). The Windows sources are not in the Linux build's
# compile commands and are left out by run-clang-tidy.
if [[ $# -gt 0 ]]; then
    files=("$@")
else
    mapfile -t files < <(git ls-files 'src/*.cpp' 'lib/*.cpp')
fi
pattern=$(printf '%s|' "${files[@]}")
"$tidy" -quiet -p build -j "$(nproc)" "${pattern%|}"
