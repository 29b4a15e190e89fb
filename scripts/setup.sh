#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs every Debian package the build and the tests need. The lists live in
# scripts/packages/*.txt, one package a line; '#' starts a comment. Names given as arguments
# add the lists scripts/packages/extra/NAME.txt (tools only some scripts need). Safe to run
# again: it only calls apt-get when something is missing.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

lists=("$here"/packages/*.txt)
for extra in "$@"; do
    lists+=("$here/packages/extra/$extra.txt")
done
wanted=$(sed -e 's/#.*//' "${lists[@]}" | tr -s ' \t' '\n' | sed '/^$/d' | sort -u)
missing=()
for pkg in $wanted; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$pkg")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# A machine that has never fetched the package lists (or fetched them long ago) cannot find
# the packages: refresh once, then install.
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
