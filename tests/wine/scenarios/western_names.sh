#!/usr/bin/env bash
# A Western system (code page 1252), base game installed in a folder named outside the code
# page, Windows XP. The registry's Path reaches the program whole, so the version matches; a
# folder named in Chinese is searched; the game's own "Étoile.galaxy", listed as
# "étoile.galaxy", is left alone; a map with the system attribute is neither listed nor
# converted, and the silent run still ends with status 0.
set -euo pipefail
export LANG=C.UTF-8 LC_ALL=C.UTF-8
source "$(dirname "$0")/../lib.sh" "$1"

scenario_begin western_names winxp
corv='C:\Games\星海 Corvane'
install_game corv "$corv" "$E2E_GAME_CORV"
# A .reg file in UTF-16 carries any name.
iconv -f UTF-8 -t UTF-16 "$REG_FILE" >"$REG_FILE.utf16"
mv "$REG_FILE.utf16" "$REG_FILE"
registry_apply
install_app "$E2E_GALEMEND3" "$E2E_CORV_VERSION" "$E2E_SUNDERING_VERSION"
crlf "étoile.galaxy" | iconv -f UTF-8 -t CP1252 >"$APP/original corv galaxies.txt"

user_folder="$LOCALAPPDATA_WIN\\Halberd Games\\Corvane Expanse"
user=$(unix_path "$user_folder")
game=$(unix_path "$corv")
put_map "$user_folder" Alpha.galaxy old
put_map "$user_folder\\银河" Beta.galaxy old
put_map "$user_folder" Étoile.galaxy old
put_map "$corv" Gamma.galaxy old
put_map "$user_folder" Hidden.galaxy old
setfattr -n user.DOSATTRIB -v '"0x4"' "$user/Hidden.galaxy"

drive <<SCRIPT
cd $APP_WIN
start "$APP_EXE_WIN" /s
exit silent
SCRIPT
expect "silent exit 0" "silent windows 0"
for map in "$user/Alpha" "$user/银河/Beta" "$game/Gamma"; do
    expect_file "$map.galaxy" "map $(basename "$map").galaxy" "${C_MAP_TAIL[@]}"
    expect_file "$map.galold" "map $(basename "$map").galaxy" "${OLD_MAP_TAIL[@]}"
done
expect_file "$user/Étoile.galaxy" "map Étoile.galaxy" "${OLD_MAP_TAIL[@]}"
expect_file "$user/Hidden.galaxy" "map Hidden.galaxy" "${OLD_MAP_TAIL[@]}"
expect_absent "$user/Étoile.galold" "$user/Hidden.galold"

scenario_end
