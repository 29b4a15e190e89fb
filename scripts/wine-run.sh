#!/bin/sh
# SPDX-License-Identifier: MIT
# Runs one Windows program under Wine in a prefix of its own: wine-run.sh PREFIX PROGRAM [ARGS...]
# The prefix lives in the build folder and is made once (wineboot takes some 20 seconds);
# the user's own ~/.wine is never touched. No menu entries, no Mono or Gecko downloads.
set -eu
prefix=$1
shift
case $prefix in
/*) ;;
*) echo "wine-run.sh: the prefix must be an absolute path: $prefix" >&2 && exit 2 ;;
esac
if [ -x /usr/lib/wine/wine64 ]; then
    wine=/usr/lib/wine/wine64
    wineserver=/usr/lib/wine/wineserver
else
    wine=wine64
    wineserver=wineserver
fi
WINEPREFIX=$prefix
WINEDEBUG=${ORVANE_WINEDEBUG:--all}
WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES
# Several tests may start at once: one of them boots the prefix, the others wait for it.
if [ ! -f "$prefix/.orvane-ready" ]; then
    mkdir -p "$prefix"
    (
        flock 9
        if [ ! -f "$prefix/.orvane-ready" ]; then
            "$wine" wineboot --init >/dev/null 2>&1
            touch "$prefix/.orvane-ready"
        fi
    ) 9>"$prefix.lock"
fi
# Keep the server and Wine's own services up for 20 s after the last program: a test run
# starts many short programs, and a cold start costs some 3 s each. Once they are idle the
# server ends by itself. A server that runs already stays as it is.
"$wineserver" -p20 >/dev/null 2>&1 || true
exec "$wine" "$@"
