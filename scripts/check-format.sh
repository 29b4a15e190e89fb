#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks that every tracked C++ file is formatted as .clang-format says (clang-format 14,
# the Debian 12 one); lists the files that differ and fails when there are any.
#   scripts/check-format.sh            check
#   scripts/check-format.sh --fix      reformat those files in place
set -euo pipefail
cd "$(dirname "$0")/.."
format=$(command -v clang-format-14 || command -v clang-format || true)
if [[ -z $format ]]; then
    echo "check-format: clang-format 14 is not installed (scripts/setup.sh)" >&2
    exit 2
fi
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [[ ${1:-} == --fix ]]; then
    "$format" -i "${files[@]}"
    exit 0
fi
status=0
for file in "${files[@]}"; do
    if ! "$format" --dry-run --Werror "$file" >/dev/null 2>&1; then
        echo "not formatted: $file"
        status=1
    fi
done
if [[ $status -ne 0 ]]; then
    echo "check-format: run scripts/check-format.sh --fix" >&2
fi
exit $status
