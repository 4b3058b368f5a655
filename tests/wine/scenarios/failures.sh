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
# The window as the message found it: no map found yet, the search's box empty, the folder
# list on the program's folder, no map in the file list. Each line is read back whole after
# the message; a value the driver did not report fails instead of matching an empty one.
expect "before 208 text 0" "before 301 text " "before 402 count 2" "before 402 item 1 galemend" \
    "before 402 selected 1" "before 403 count 0"
for field in "208 text" "301 text" "402 count" "402 item 0" "402 item 1" "402 selected" \
    "403 count" "403 selected"; do
    line=$(grep -m 1 -E "^before $field( |\$)" "$TRANSCRIPT" || true)
    if [[ -n $line ]]; then
        expect "after ${line#before }"
    else
        fail "no \"$field\" before the message"
    fi
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

# The same failures in a silent run, with a map put there since: status 4, the failing maps
# as they were, the new one converted.
put_map "$user_folder" Later.galaxy old
drive <<SCRIPT
cd $APP_WIN
start "$APP_EXE_WIN" /s
exit silent
SCRIPT
expect "silent exit 4" "silent windows 0"
expect_file "$user/Later.galaxy" "map Later.galaxy" "${C_MAP_TAIL[@]}"
expect_file "$user/Left.galaxy" "map Left.galaxy" "${OLD_MAP_TAIL[@]}"

scenario_end
