#!/usr/bin/env bash
# What goes wrong, base game alone, Windows XP. The user folder does not exist yet:
# "user space galaxies" names it in a message and the window stays as it was. Later, maps
# that cannot be converted (no templates for revision 3; an old copy left from an earlier
# run) are listed as not converted, keep their content, and do not stop the others.
set -euo pipefail
source "$(dirname "$0")/../lib.sh" "$1"

scenario_begin failures winxp
corv='C:\Games\Corvane Expanse'
install_game corv "$corv" "$E2E_GAME_CORV"
registry_apply
install_app "$E2E_GALEMEND3" "$E2E_CORV_VERSION" "$E2E_SUNDERING_VERSION"
user_folder="$LOCALAPPDATA_WIN\\Halberd Games\\Corvane Expanse"

drive <<SCRIPT
cd $APP_WIN
start "$APP_EXE_WIN"
window w merrow's
controls before
click 105
msgbox m
answer
controls after
click 103
exit x
SCRIPT
expect "m caption galemend" "x exit 0"
[[ $(fact "m text") == *"$user_folder"* ]] || fail "the message does not name the folder: $(fact "m text")"
for id in 208 301 402 403; do
    for field in text count selected; do
        [[ $(fact "before $id $field") == "$(fact "after $id $field")" ]] ||
            fail "control $id $field changed after the message"
    done
done
expect_buttons after 1 0 1 1 1 1 0

user=$(unix_path "$user_folder")
put_map "$user_folder" Fine.galaxy old
write_crlf "$user/Broken.galaxy" "map Broken.galaxy" "format 3" "end"
put_map "$user_folder" Left.galaxy old
write_crlf "$user/Left.galold" "kept from an earlier run"
drive <<SCRIPT
cd $APP_WIN
start "$APP_EXE_WIN"
window w merrow's
click 101
idle
click 102
idle
controls fixed
screenshot failures
click 103
exit x
SCRIPT
expect_text fixed 301 Broken.galaxy Fine.galaxy Left.galaxy
expect "fixed 204 text  1" "x exit 0"
log=$(fact "fixed 302 text")
[[ $log == "Fine.galaxy\\x0d\\x0a"* ]] || fail "converted map not listed first: $log"
for map in Broken Left; do
    [[ $log == *"NOT CONVERTED: $user_folder\\$map.galaxy"* ]] || fail "$map not reported: $log"
done
expect_file "$user/Fine.galaxy" "map Fine.galaxy" "${C_MAP_TAIL[@]}"
expect_file "$user/Broken.galaxy" "map Broken.galaxy" "format 3" "end"
expect_file "$user/Left.galaxy" "map Left.galaxy" "${OLD_MAP_TAIL[@]}"
expect_file "$user/Left.galold" "kept from an earlier run"
expect_absent "$user/Broken.galold"

scenario_end
