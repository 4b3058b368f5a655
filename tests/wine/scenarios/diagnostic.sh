#!/usr/bin/env bash
# Diagnostic mode (line 7 "PROBE" in capitals), base game alone, Windows XP: the caption
# carries the marker, no version check runs although the versions differ, "info.txt" holds
# the start-up report and the edition button's lines, and the conversion writes test files
# beside the untouched maps.
set -euo pipefail
source "$(dirname "$0")/../lib.sh" "$1"

scenario_begin diagnostic winxp
corv='C:\Games\Corvane Expanse'
install_game corv "$corv" "$E2E_GAME_CORV"
registry_apply
install_app "$E2E_GALEMEND3" "0.0.0.0" "$E2E_SUNDERING_VERSION" "PROBE"
user_folder="$LOCALAPPDATA_WIN\\Halberd Games\\Corvane Expanse"
# One ordinary file in each folder's root, so that the first-file lookups are certain.
put_map "$user_folder" Alpha.galaxy old
put_map "$user_folder\\Sub" Gamma.galaxy old
# The first-file lookup of the program's folder: Wine lists a folder by name, ignoring
# case, so it names the first of the files put there and info.txt, open by then (here
# cnewstruct0.txt).
app_first=$({ ls "$APP" && echo info.txt; } | LC_ALL=C sort -f | head -n 1)

drive <<EOF
$ENV_LINES
cd $APP_WIN
start "$APP_EXE_WIN"
window w merrow's
controls s
click 106
idle
click 101
idle
click 102
idle
controls fixed
screenshot diagnostic
click 103
exit x
EOF
expect_prefix_folders
expect "w caption merrow's corv & Sundering map updater DeBuGgInG M O D E!"
expect_text fixed 301 Gamma.galaxy Alpha.galaxy
expect_text fixed 302 Gamma.galaxy Alpha.galaxy
expect "fixed 204 text  2" "x exit 0"

info=$APP/info.txt
game="$corv\\"
users="$user_folder\\"
expect_file "$info" \
    "WinXP, 64 bit ?True" \
    "$(fact "e PROCESSOR_ARCHITECTURE") type$(fact "e NUMBER_OF_PROCESSORS") cores$(fact "e PROCESSOR_IDENTIFIER") ID" \
    "" \
    "$LOCALAPPDATA_WIN" \
    "pathlist(1)$game" "pathlist(0)$users" "home $LOCALAPPDATA_WIN" "App_Path()$APP_WIN\\" "" \
    "Dir(pathlist(1))Corvane Expanse.exe" "Dir(pathlist(0))Alpha.galaxy" \
    "Dir(App_Path())$app_first" \
    "$game" "corvversion$E2E_CORV_VERSION" \
    "$game" "$users" "$LOCALAPPDATA_WIN" "$APP_WIN\\" "" \
    "Corvane Expanse.exe" "Alpha.galaxy" "$app_first" \
    "$game" "$E2E_CORV_VERSION"

# Test files only; the maps keep their content and get no kept copies.
user=$(unix_path "$user_folder")
for map in "$user/Alpha" "$user/Sub/Gamma"; do
    name="map $(basename "$map").galaxy"
    expect_file "$map.galaxy" "$name" "${OLD_MAP_TAIL[@]}"
    expect_file "$map.galtst" "$name" "${C_MAP_TAIL[@]}"
    expect_absent "$map.galold" "$map.galfix"
done

# A silent run in diagnostic mode writes the report and the test files again.
drive <<EOF
cd $APP_WIN
start "$APP_EXE_WIN" /s
exit silent
EOF
expect "silent exit 0" "silent windows 0"

scenario_end
