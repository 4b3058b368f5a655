#!/usr/bin/env bash
# The harness itself, against Wine's own notepad and our game stand-ins: a raw command line
# with a run of blanks, a message box read and answered, the window and its controls, a
# screenshot, the exit status, and version resources read back.
set -euo pipefail
source "$(dirname "$0")/../lib.sh" "$1"

scenario_begin driver_selftest win10
install_game corv 'C:\Games\Corvane Expanse' "$E2E_GAME_CORV"
registry_apply

drive <<EOF2
timeout 90000
folders f
cd C:\windows
start notepad.exe  "no such file.txt"
msgbox box
answer 7
window w Untitled - Notepad
controls c
screenshot notepad
close
exit x
version v C:\Games\Corvane Expanse\Corvane Expanse.exe
version none C:\windows\win.ini
EOF2
expect "f winver 2 6.2" \
    "box button 7 &No" \
    "w caption Untitled - Notepad" \
    "c 0 class Edit" \
    "x exit 0" \
    "v product $E2E_CORV_VERSION" \
    "v file 0.0.0.1" \
    "v ProductName Corvane Expanse" \
    "none none"
# Notepad's message names the file it did not find, so the name reached it whole. (The
# transcript also echoes each command, so finding the name anywhere in it proves nothing.)
[[ $(fact "box text") == *"'no such file.txt'"* ]] ||
    fail "the file name did not reach notepad whole: $(fact "box text")"
[[ -s $WORK/notepad.png && -s $SHOTS/driver_selftest-notepad.png ]] || fail "no screenshot"

scenario_end
