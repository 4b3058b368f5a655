#!/usr/bin/env bash
# A Traditional Chinese system (code page 950), base game on Windows 7, silent run. A lead
# byte and the byte after it are one character even where the system writes that character
# back as other bytes (A2 CC, a second form of 十) or leaves it undefined, so the character
# after it stays whole; a character whose second byte is 0x5C (許 B3 5C) is one too.
set -euo pipefail
export LANG=zh_TW.UTF-8 LC_ALL=zh_TW.UTF-8
source "$(dirname "$0")/../lib.sh" "$1"

scenario_begin chinese_system win7
corv='C:\Games\Corvane Expanse'
install_game corv "$corv" "$E2E_GAME_CORV"
registry_apply
install_app "$E2E_GALEMEND3" "$E2E_CORV_VERSION" "$E2E_SUNDERING_VERSION"
write_bytes "$APP/coldstruct4.txt" "T" 'f$1' "format" 'o$2' "owner" "name"
write_bytes "$APP/cnewstruct4.txt" "T" 'f$1' "format 5" 'o$2' "owner #" "name ##"

user=$(unix_path "$LOCALAPPDATA_WIN\\Halberd Games\\Corvane Expanse")
pairs=(map "format 4" 'owner \xA2\xCC\xA4\x40' 'name \xB3\x5C\xA4\x7F\xA4\x51' end)
write_bytes "$user/pairs.galaxy" "${pairs[@]}"

drive <<SCRIPT
cd $APP_WIN
start "$APP_EXE_WIN" /s
exit silent
SCRIPT
expect "silent exit 0" "silent windows 0"
# 一 A4 40 is the owner's last character; A4 7F is an undefined pair before 十 A4 51.
expect_bytes "$user/pairs.galaxy" map "format 5" 'owner \xA4\x40' 'name \xA4\x7F\xA4\x51' end
expect_bytes "$user/pairs.galold" "${pairs[@]}"

scenario_end
