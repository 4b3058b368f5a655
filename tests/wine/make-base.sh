#!/usr/bin/env bash
# Makes the prepared Wine prefix that every scenario copies (one `wineboot -i` per build,
# about 15 s; a copy costs under a second) and notes the user folders Wine gives it.
# Usage: make-base.sh E2E_CONFIG
set -euo pipefail
source "$1"

base=$E2E_WORK/base
mkdir -p "$E2E_WORK"
exec 9>"$E2E_WORK/base.lock"
flock -w 300 9

stamp="$(wine --version) $(md5sum <"$0")"
if [[ -f $base/ready && "$(cat "$base/ready")" == "$stamp" ]]; then
    echo "base prefix ready: $base"
    exit 0
fi

rm -rf "$base"
mkdir -p "$base/home"
export WINEPREFIX=$base/prefix HOME=$base/home WINEDEBUG=-all WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY
timeout 240 wineboot -i >"$base/wineboot.log" 2>&1 || {
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
timeout 60 wine "$E2E_DRIVER" "Z:${base//\//\\}\\folders-script.txt" >"$folders"
timeout 60 wineserver -w
grep -q '^f localappdata C:' "$folders" || {
    echo "no user folders found:"
    cat "$folders"
    exit 1
}
cat "$folders"
printf '%s' "$stamp" >"$base/ready"
