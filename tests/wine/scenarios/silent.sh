#!/usr/bin/env bash
# Silent runs, base game alone, Windows XP: "/S" converts every old map without showing a
# window and ends with status 0; "-SILENT /s" (one run) then finds nothing to do; a map that
# cannot be converted (no templates for its revision) gives status 4, stays as it was, and
# does not keep another map from being converted.
set -euo pipefail
source "$(dirname "$0")/../lib.sh" "$1"

scenario_begin silent winxp
corv='C:\Games\Corvane Expanse'
install_game corv "$corv" "$E2E_GAME_CORV"
registry_apply
install_app "$E2E_GALEMEND3" "$E2E_CORV_VERSION" "$E2E_SUNDERING_VERSION"
user_folder="$LOCALAPPDATA_WIN\\Halberd Games\\Corvane Expanse"
put_map "$user_folder" Alpha.galaxy old
put_map "$user_folder" beta.galaxy current
put_map "$user_folder\\Sub" Gamma.galaxy old
put_map "$corv" Delta.galaxy old
put_map "$corv" "Stock One.galaxy" old
user=$(unix_path "$user_folder")
game=$(unix_path "$corv")

drive <<SCRIPT
cd $APP_WIN
start "$APP_EXE_WIN" /S
exit first
SCRIPT
expect "first exit 0" "first windows 0"
drive <<SCRIPT
cd $APP_WIN
start "$APP_EXE_WIN" -SILENT /s
exit again
SCRIPT
expect "again exit 0" "again windows 0"
for map in "$user/Alpha" "$user/Sub/Gamma" "$game/Delta"; do
    name="map $(basename "$map").galaxy"
    expect_file "$map.galold" "$name" "${OLD_MAP_TAIL[@]}"
    expect_file "$map.galaxy" "$name" "${C_MAP_TAIL[@]}"
done
expect_file "$game/Stock One.galaxy" "map Stock One.galaxy" "${OLD_MAP_TAIL[@]}"
expect_absent "$user/beta.galold" "$game/Stock One.galold"

# Revision 3 has no templates.
write_crlf "$user/Broken.galaxy" "map Broken.galaxy" "format 3" "end"
put_map "$user_folder" Theta.galaxy old
drive <<SCRIPT
cd $APP_WIN
start "$APP_EXE_WIN" -s
exit broken
SCRIPT
expect "broken exit 4" "broken windows 0"
expect_file "$user/Broken.galaxy" "map Broken.galaxy" "format 3" "end"
expect_absent "$user/Broken.galold"
expect_file "$user/Theta.galaxy" "map Theta.galaxy" "${C_MAP_TAIL[@]}"

scenario_end
