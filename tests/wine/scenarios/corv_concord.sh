#!/usr/bin/env bash
# The base game and its concord edition installed, Windows XP: the concord folder wins, the
# folder buttons show the two search folders, "find galaxies" lists every map of the user
# folder and then of the concord folder, "fix found galaxies" converts the old ones but not
# the game's own, and a second round finds everything current.
set -euo pipefail
source "$(dirname "$0")/../lib.sh" "$1"

scenario_begin corv_concord winxp
corv='C:\Games\Corvane Expanse'
concord='C:\Games\Corvane Expanse Concord'
install_game corv "$corv" "$E2E_GAME_CORV"
install_game corvconcord "$concord" "$E2E_GAME_CORV"
registry_apply
install_app "$E2E_GALEMEND3" "$E2E_CORV_VERSION" "9.9.9.9"
user_folder="$LOCALAPPDATA_WIN\\Halberd Games\\Corvane Expanse"
put_map "$user_folder" Alpha.galaxy old
put_map "$user_folder" beta.galaxy current
put_map "$user_folder\\Sub" Gamma.galaxy old
put_map "$concord" Delta.galaxy old
put_map "$concord" "Stock One.galaxy" old
put_map "$corv" Omega.galaxy old

drive <<EOF
$ENV_LINES
cd $APP_WIN
start "$APP_EXE_WIN"
window w merrow's
controls s
tooltips t
click 105
idle
controls user
click 104
idle
controls program
click 101
idle
controls found
click 102
idle
controls fixed
screenshot fixed
click 101
idle
click 102
idle
controls again
click 103
exit x
EOF
expect_prefix_folders
expect_info_labels s WinXP
expect_buttons s 1 0 1 1 1 1 0
expect "t 104 tooltip $concord\\" "t 105 tooltip $user_folder\\"

# The folder buttons move the file list to each search folder.
expect "user 403 count 2" "user 403 item 0 Alpha.galaxy" "user 403 item 1 beta.galaxy" \
    "program 403 count 2" "program 403 item 0 Delta.galaxy" "program 403 item 1 Stock One.galaxy"

# Subfolders first, then the folder's own maps; user space, then program space.
expect_text found 301 Gamma.galaxy Alpha.galaxy beta.galaxy Delta.galaxy "Stock One.galaxy"
expect "found 206 text 5" "found 208 text  1" "found 204 text 0"
expect_buttons found 0 1 1 1 1 1 0

# The current map and the game's own are left alone.
expect_text fixed 302 Gamma.galaxy Alpha.galaxy Delta.galaxy
expect_text fixed 301 Gamma.galaxy Alpha.galaxy beta.galaxy Delta.galaxy "Stock One.galaxy"
expect "fixed 204 text  3" "fixed 206 text 5" "fixed 208 text  2"
expect_buttons fixed 1 0 1 1 1 1 0

# A second round: the found list grows, nothing is old any more.
expect_text again 301 Gamma.galaxy Alpha.galaxy beta.galaxy Delta.galaxy "Stock One.galaxy" \
    Gamma.galaxy Alpha.galaxy beta.galaxy Delta.galaxy "Stock One.galaxy"
expect_text again 302 Gamma.galaxy Alpha.galaxy Delta.galaxy
expect "again 204 text  0" "again 206 text 5" "again 208 text  4"
expect "x exit 0"

user=$(unix_path "$user_folder")
for map in "$user/Alpha" "$user/Sub/Gamma" "$(unix_path "$concord")/Delta"; do
    expect_file "$map.galold" "map $(basename "$map").galaxy" "${OLD_MAP_TAIL[@]}"
    expect_file "$map.galaxy" "map $(basename "$map").galaxy" "${C_MAP_TAIL[@]}"
    expect_absent "$map.galfix"
done
expect_file "$user/beta.galaxy" "map beta.galaxy" "format 5" "ship 1" "end"
expect_file "$(unix_path "$concord")/Stock One.galaxy" "map Stock One.galaxy" "${OLD_MAP_TAIL[@]}"
expect_absent "$user/beta.galold" "$(unix_path "$concord")/Stock One.galold"
expect_untouched_folder "$(unix_path "$corv")"

scenario_end
