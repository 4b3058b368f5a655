#!/usr/bin/env bash
# A start folder holding a folder that cannot be listed, base game alone, Windows XP. The
# folder "Locked" in the user's map folder has mode 000, so Wine's listing of it fails with
# access denied. A silent run passes over it, still converts the maps beside it, in a folder
# after it and in the game's folder, and ends with status 4; the window lists the maps found
# and then "NOT SEARCHED: <folder> - access denied", and counts only the maps found.
set -euo pipefail

# Root reads every folder whatever its mode. Without the capabilities that let it override
# file permissions it is refused like any user, so the whole scenario (the wineserver it
# starts opens the files) runs without them. A folder left locked by an earlier failed run
# is removed first, while that is still possible.
if (($(id -u) == 0)) && [[ -z ${E2E_WITHOUT_DAC_OVERRIDE:-} ]]; then
    source "$1"
    rm -rf "$E2E_WORK/run/unlistable_folder"
    exec env E2E_WITHOUT_DAC_OVERRIDE=1 \
        setpriv --bounding-set=-dac_override,-dac_read_search bash "$0" "$@"
fi
source "$(dirname "$0")/../lib.sh" "$1"

scenario_begin unlistable_folder winxp
corv='C:\Games\Corvane Expanse'
install_game corv "$corv" "$E2E_GAME_CORV"
registry_apply
install_app "$E2E_GALEMEND3" "$E2E_CORV_VERSION" "$E2E_SUNDERING_VERSION"
user_folder="$LOCALAPPDATA_WIN\\Halberd Games\\Corvane Expanse"
put_map "$user_folder" Alpha.galaxy old
put_map "$user_folder\\Locked" Hidden.galaxy old
put_map "$user_folder\\Sub" Gamma.galaxy old
put_map "$corv" Delta.galaxy old
user=$(unix_path "$user_folder")
game=$(unix_path "$corv")
chmod 000 "$user/Locked"
# Readable here, it would be readable to the program too, and the scenario would prove nothing.
if ls "$user/Locked" >/dev/null 2>&1; then
    die "a folder of mode 000 can still be listed; the scenario cannot lock it"
fi

drive <<SCRIPT
cd $APP_WIN
start "$APP_EXE_WIN" /S
exit silent
SCRIPT
expect "silent exit 4" "silent windows 0"
drive <<SCRIPT
cd $APP_WIN
start "$APP_EXE_WIN"
window w merrow's
click 101
idle
controls found
screenshot found
click 103
exit x
SCRIPT
chmod 755 "$user/Locked"

expect "x exit 0"
for map in "$user/Alpha" "$user/Sub/Gamma" "$game/Delta"; do
    name="map $(basename "$map").galaxy"
    expect_file "$map.galold" "$name" "${OLD_MAP_TAIL[@]}"
    expect_file "$map.galaxy" "$name" "${C_MAP_TAIL[@]}"
done
expect_file "$user/Locked/Hidden.galaxy" "map Hidden.galaxy" "${OLD_MAP_TAIL[@]}"
expect_absent "$user/Locked/Hidden.galold"

expect_text found 301 Gamma.galaxy Alpha.galaxy Delta.galaxy \
    "NOT SEARCHED: $user_folder\\Locked - access denied"
expect "found 206 text 3"

scenario_end
