#!/usr/bin/env bash
# The Sundering edition alone, Windows 10: its version (line 5) is checked, the user folder
# is under Documents, program space ends as the program's own folder, maps get the structure
# and the fix pass (old copy, fix copy, new map), and the "sundering" button then points
# program space at the installation folder.
set -euo pipefail
source "$(dirname "$0")/../lib.sh" "$1"

scenario_begin sundering_alone win10
sundering='C:\Games\Corvane Expanse Sundering'
install_game corvsundering "$sundering" "$E2E_GAME_SUNDERING"
registry_apply
install_app "$E2E_GALEMEND3" "9.9.9.9" "$E2E_SUNDERING_VERSION"
user_folder="$DOCUMENTS_WIN\\My Games\\Halberd Games\\Corvane Expanse Sundering"
put_map "$user_folder" Alpha.galaxy old
put_map "$user_folder" beta.galaxy current
put_map "$user_folder\\Sub" Gamma.galaxy old
put_map "$APP_WIN" Epsilon.galaxy old
put_map "$sundering" Zeta.galaxy old

drive <<EOF
$ENV_LINES
cd $APP_WIN
start "$APP_EXE_WIN"
window w merrow's
controls s
tooltips t
click 101
idle
controls found
click 102
idle
controls fixed
click 107
idle
controls picked
tooltips t2
screenshot picked
click 103
exit x
EOF
expect_prefix_folders
expect "f winver 2 6.2" "w caption merrow's corv & Sundering map updater"
# Without a manifest entry for Windows 10 the program sees 6.2.
expect_info_labels s "Win7+ x64?"
expect_buttons s 1 0 1 1 1 0 1
expect "t 104 tooltip $APP_WIN\\" "t 105 tooltip $user_folder"

expect_text found 301 Gamma.galaxy Alpha.galaxy beta.galaxy Epsilon.galaxy
expect "found 206 text 4" "found 208 text  1"
expect_text fixed 302 Gamma.galaxy Alpha.galaxy Epsilon.galaxy
expect "fixed 204 text  3" "fixed 208 text  2"
expect_buttons fixed 1 0 1 1 1 0 1

# The edition button redoes the choice without the program-folder rule, and locks it.
expect_buttons picked 1 0 1 1 1 0 0
expect "t2 104 tooltip $sundering\\" "t2 105 tooltip $user_folder"
expect "x exit 0"

user=$(unix_path "$user_folder")
for map in "$user/Alpha" "$user/Sub/Gamma" "$APP/Epsilon"; do
    name="map $(basename "$map").galaxy"
    expect_file "$map.galold" "$name" "${OLD_MAP_TAIL[@]}"
    expect_file "$map.galfix" "$name" "${C_MAP_TAIL[@]}"
    expect_file "$map.galaxy" "$name" "${U_MAP_TAIL[@]}"
done
expect_file "$user/beta.galaxy" "map beta.galaxy" "format 5" "ship 1" "end"
expect_absent "$user/beta.galold"
expect_untouched_folder "$(unix_path "$sundering")"

# A silent run converts maps put there since, with both passes, and leaves a map whose fix
# copy exists already from an earlier run as it was.
put_map "$user_folder" Iota.galaxy old
put_map "$user_folder\\Sub" Kappa.galaxy old
write_crlf "$user/Sub/Kappa.galfix" "left from an earlier run"
drive <<EOF
cd $APP_WIN
start "$APP_EXE_WIN" /s
exit silent
EOF
expect "silent exit 4" "silent windows 0"
expect_file "$user/Iota.galaxy" "map Iota.galaxy" "${U_MAP_TAIL[@]}"
expect_file "$user/Sub/Kappa.galaxy" "map Kappa.galaxy" "${OLD_MAP_TAIL[@]}"

scenario_end
