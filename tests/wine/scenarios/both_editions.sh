#!/usr/bin/env bash
# Both edition families installed, Windows 7: no version check whatever the versions, both
# edition buttons on, a silent run ends with status 5 without choosing; in the window each
# edition button is followed by find and fix, and on Windows 7 both search folders are the
# user folder, so every map is found twice and converted once.
set -euo pipefail
source "$(dirname "$0")/../lib.sh" "$1"

scenario_begin both_editions win7
corv='C:\Games\Corvane Expanse'
sundering='C:\Games\Corvane Expanse Sundering'
install_game corv "$corv" "$E2E_GAME_CORV"
install_game corvsundering "$sundering" "$E2E_GAME_SUNDERING"
registry_apply
# Neither line matches its executable: with both families nothing is checked.
install_app "$E2E_GALEMEND3" "9.9.9.9" "9.9.9.9"
corv_user="$LOCALAPPDATA_WIN\\Halberd Games\\Corvane Expanse"
sundering_user="$DOCUMENTS_WIN\\My Games\\Halberd Games\\Corvane Expanse Sundering"
put_map "$corv_user" Alpha.galaxy old
put_map "$corv_user\\Sub" Gamma.galaxy old
put_map "$sundering_user" Kappa.galaxy old
put_map "$corv" Omega.galaxy old
put_map "$sundering" Zeta.galaxy old

drive <<EOF
cd $APP_WIN
start "$APP_EXE_WIN" /s
exit silent
EOF
expect "silent exit 5" "silent windows 0"
drive <<EOF
$ENV_LINES
cd $APP_WIN
start "$APP_EXE_WIN"
window w merrow's
controls s
click 101
msgbox first
answer
controls asked
click 106
idle
controls corv
tooltips tc
click 101
idle
controls corvfound
click 102
idle
controls corvfixed
click 103
exit xc
start "$APP_EXE_WIN"
window w2 merrow's
click 107
idle
controls sund
tooltips ts
click 101
idle
controls sundfound
click 102
idle
controls sundfixed
screenshot sundering
click 103
exit xs
EOF
expect_prefix_folders
expect "f winver 2 6.1"
expect_info_labels s win7
expect_buttons s 1 0 1 1 1 1 1
expect "s 106 visible 1" "s 107 visible 1"

# A search before an edition is chosen is refused with a message, and changes nothing.
expect "first caption galemend"
[[ $(fact "first text") == "Both editions"* ]] || fail "unexpected message: $(fact "first text")"
expect "asked 208 text 0" "asked 301 text "
expect_buttons asked 1 0 1 1 1 1 1

# corv/concord: both folders are the user folder on Windows 7.
expect_buttons corv 1 0 1 1 1 0 0
expect "tc 104 tooltip $corv_user\\" "tc 105 tooltip $corv_user\\"
expect_text corvfound 301 Gamma.galaxy Alpha.galaxy Gamma.galaxy Alpha.galaxy
expect "corvfound 206 text 4"
expect_text corvfixed 302 Gamma.galaxy Alpha.galaxy
expect "corvfixed 204 text  2" "xc exit 0"

expect_buttons sund 1 0 1 1 1 0 0
expect "ts 104 tooltip $sundering_user" "ts 105 tooltip $sundering_user"
expect_text sundfound 301 Kappa.galaxy Kappa.galaxy
expect_text sundfixed 302 Kappa.galaxy
expect "sundfixed 204 text  1" "xs exit 0"

cu=$(unix_path "$corv_user")
for map in "$cu/Alpha" "$cu/Sub/Gamma"; do
    name="map $(basename "$map").galaxy"
    expect_file "$map.galold" "$name" "${OLD_MAP_TAIL[@]}"
    expect_file "$map.galaxy" "$name" "${C_MAP_TAIL[@]}"
    expect_absent "$map.galfix"
done
su=$(unix_path "$sundering_user")
expect_file "$su/Kappa.galold" "map Kappa.galaxy" "${OLD_MAP_TAIL[@]}"
expect_file "$su/Kappa.galfix" "map Kappa.galaxy" "${C_MAP_TAIL[@]}"
expect_file "$su/Kappa.galaxy" "map Kappa.galaxy" "${U_MAP_TAIL[@]}"
expect_untouched_folder "$(unix_path "$corv")"
expect_untouched_folder "$(unix_path "$sundering")"

scenario_end
