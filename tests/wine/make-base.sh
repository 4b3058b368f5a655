#!/usr/bin/env bash
# Makes the prepared Wine prefix that every scenario copies (one `wineboot -i` per build,
# about 15 s; a copy costs under a second) and notes the user folders Wine gives it.
# Usage: make-base.sh E2E_CONFIG
set -euo pipefail
source "$1"

base=$E2E_WORK/base
mkdir -p "$E2E_WORK"
# One builder at a time; scenarios copy the prefix under a shared lock on the same file.
exec 9>>"$E2E_WORK/base.lock"
flock -w 600 9

stamp="$(wine --version) $(md5sum <"$0")"
if [[ -f $base/ready && "$(cat "$base/ready")" == "$stamp" ]]; then
    echo "base prefix ready: $base"
    exit 0
fi

rm -rf "$base"
mkdir -p "$base/home"
unset DISPLAY XAUTHORITY WINESERVER WINELOADER WINEDLLPATH
export WINEPREFIX=$base/prefix HOME=$base/home WINEDEBUG=-all WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml="
# The server's socket folder lives below a TMPDIR of this build's own (see lib.sh).
TMPDIR=$(mktemp -d /tmp/galemend-e2e-base.XXXXXXXX)
export TMPDIR
# A failed build ends its server; a finished one has waited for it and cut the prefix loose.
trap '[[ ! -f $WINEPREFIX/wineserver ]] || timeout 60 wineserver -k >/dev/null 2>&1
      rm -rf "$TMPDIR"' EXIT
timeout 300 wineboot -i >"$base/wineboot.log" 2>&1 || {
    cat "$base/wineboot.log"
    exit 1
}

# wineboot links Documents, Desktop and the like to this HOME; copies of the prefix must not
# share one folder, so each becomes a plain folder inside the prefix.
for link in "$WINEPREFIX"/drive_c/users/*/*; do
    if [[ -L $link ]]; then
        rm "$link"
        mkdir "$link"
    fi
done

folders="$base/folders.txt"
printf 'folders f\n' >"$base/folders-script.txt"
timeout 180 wine "$E2E_DRIVER" "Z:${base//\//\\}\\folders-script.txt" >"$folders"
# The registry files are complete once the server has written them and ended.
timeout 180 wineserver -w
# Every copy makes its own server folder (see lib.sh).
rm -f "$WINEPREFIX/wineserver"
grep -q '^f localappdata C:' "$folders" || {
    echo "no user folders found:"
    cat "$folders"
    exit 1
}
cat "$folders"
printf '%s' "$stamp" >"$base/ready"
