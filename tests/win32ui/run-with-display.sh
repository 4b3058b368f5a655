#!/bin/sh
# Runs a Windows program under Wine on a virtual X display of its own, in a private prefix
# below ROOT (never ~/.wine). Windows can only be created with a display.
# Usage: run-with-display.sh [--screenshot FILE.png] ROOT PROGRAM [ARGS...]
# With --screenshot the program runs for a few seconds, the screen is saved as a PNG and the
# program is ended.
set -eu
shot=""
if [ "${1:-}" = "--screenshot" ]; then
    shot=$2
    shift 2
fi
root=$1
shift
mkdir -p "$root/home"
export WINEPREFIX="$root/prefix"
export HOME="$root/home"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

# The first caller makes the prefix; concurrent callers wait for it. Wine's own faces go
# into the prefix's font folder, where every Wine finds them: Debian's Wine does not look
# for them where the fonts-wine package puts them.
(
    flock 9
    if [ ! -f "$root/prefix/.galemend-ready" ]; then
        wineboot -i >/dev/null 2>&1 || true
        wineserver -w
        if [ -d /usr/share/wine/fonts ]; then
            cp /usr/share/wine/fonts/* "$root/prefix/drive_c/windows/Fonts/"
        fi
        touch "$root/prefix/.galemend-ready"
    fi
) 9>"$root/.lock"

number=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number" >/dev/null 2>&1 &
xvfb=$!
finish() {
    wineserver -k 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
    rm -f "$number"
}
trap finish EXIT
for _ in $(seq 100); do
    [ -s "$number" ] && break
    sleep 0.1
done
[ -s "$number" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$number")"

if [ -n "$shot" ]; then
    wine "$@" &
    sleep "${SCREENSHOT_DELAY:-6}"
    import -window root "$shot"
    exit 0
fi
status=0
wine "$@" || status=$?
exit $status
