#!/usr/bin/env bash
# Browsing, base game alone, Windows 10: the folder buttons move the folder list and the file
# list follows; a double-click in the folder list opens a subfolder or goes back up; picking
# a drive moves both lists to its root; after a search the folder list rests on the parent of
# the last start folder.
set -euo pipefail
source "$(dirname "$0")/../lib.sh" "$1"

scenario_begin browsing win10
corv='C:\Games\Corvane Expanse'
install_game corv "$corv" "$E2E_GAME_CORV"
registry_apply
install_app "$E2E_GALEMEND3" "$E2E_CORV_VERSION" "$E2E_SUNDERING_VERSION"
user_folder="$LOCALAPPDATA_WIN\\Halberd Games\\Corvane Expanse"
put_map "$user_folder" Alpha.galaxy old
put_map "$user_folder\\Sub" Gamma.galaxy old
put_map "$corv" Delta.galaxy old

drive <<SCRIPT
cd $APP_WIN
start "$APP_EXE_WIN"
window w merrow's
click 105
idle
controls user
dblclick 402 Sub
idle
controls sub
dblclick 402 Halberd Games
idle
controls up
select 401 z:
idle
controls z
select 401 c:
idle
controls c
click 104
idle
controls program
click 101
idle
controls found
click 103
exit x
SCRIPT
expect_current_folder user "Corvane Expanse"
expect "user 402 item $(($(fact "user 402 selected") + 1)) Sub" \
    "user 403 count 1" "user 403 item 0 Alpha.galaxy"
expect_current_folder sub Sub
expect "sub 403 count 1" "sub 403 item 0 Gamma.galaxy"
expect_current_folder up "Halberd Games"
expect "up 403 count 0"
# The root is the drive entry's first two characters and a backslash.
expect "z 401 text z:" "z 402 item 0 z:\\" "z 402 selected 0" \
    "c 401 text c:" "c 402 item 0 c:\\" "c 402 item 1 galemend" "c 402 selected 0" "c 403 count 0"
expect_current_folder program "Corvane Expanse"
expect "program 403 count 1" "program 403 item 0 Delta.galaxy"
# Program space was walked last; the list rests on its parent.
expect_current_folder found Games
expect "x exit 0"

scenario_end
