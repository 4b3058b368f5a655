#!/usr/bin/env bash
# A Japanese system (code page 932), base game on Windows XP, silent run. Map lines, template
# lines and the list of the game's own maps hold double-byte characters whose second byte is
# 0x5C, the byte of "\": the markers take whole characters, a folder whose name ends in such
# a character is searched, and the game's own map "表.galaxy" is left alone. A lead byte and
# the byte after it are one character even where the system writes that character back as
# other bytes (NEC-selected IBM kanji ED 9F and EE 40, NEC's ≒ 87 90) or leaves it undefined.
set -euo pipefail
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
source "$(dirname "$0")/../lib.sh" "$1"

# Lines in the system's code page, CR LF after each.
write_ansi() {
    local file=$1
    shift
    mkdir -p "$(dirname "$file")"
    crlf "$@" | iconv -f UTF-8 -t CP932 >"$file"
}
expect_ansi() {
    local file=$1
    shift
    if [[ ! -f $file ]]; then
        fail "missing file $file"
    elif ! cmp -s <(crlf "$@" | iconv -f UTF-8 -t CP932) "$file"; then
        fail "file $file holds: $(iconv -f CP932 -t UTF-8 <"$file" | tr '\r\n' '<>')"
    fi
}

scenario_begin japanese_system winxp
corv='C:\Games\Corvane Expanse'
install_game corv "$corv" "$E2E_GAME_CORV"
registry_apply
install_app "$E2E_GALEMEND3" "$E2E_CORV_VERSION" "$E2E_SUNDERING_VERSION"
# "owner #" keeps the last character, "name ##" the last two, and "見た &" the block's first
# line from the marker's position on, counted in characters (2, not the 4 bytes before it).
write_ansi "$APP/coldstruct4.txt" "T" 'f$1' "format" 'o$3' "owner" "name" "seen"
write_ansi "$APP/cnewstruct4.txt" "T" 'f$1' "format 5" 'o$3' "owner #" "name ##" "見た &"
write_ansi "$APP/original corv galaxies.txt" "表.galaxy"

user_folder="$LOCALAPPDATA_WIN\\Halberd Games\\Corvane Expanse"
user=$(unix_path "$user_folder")
write_ansi "$user/宇宙.galaxy" "map" "format 4" "owner ソ" "name 表十" "seen 能力" "end"
write_ansi "$user/地図ソ/能.galaxy" "map" "format 4" "owner 許" "name 功蓋" "seen x" "end"
write_ansi "$user/表.galaxy" "map" "format 4" "owner ソ" "name 表十" "seen x" "end"
# Raw bytes: ED 9F is 髙 as NEC selected it, 82 A0 is あ, 87 90 is ≒, EE 40 an IBM kanji.
pairs=(map "format 4" 'owner \xED\x9F\x82\xA0' 'name \x87\x90\xEE\x40' 'seen x' end)
write_bytes "$user/pairs.galaxy" "${pairs[@]}"

drive <<SCRIPT
cd $APP_WIN
start "$APP_EXE_WIN" /s
exit silent
SCRIPT
expect "silent exit 0" "silent windows 0"
expect_ansi "$user/宇宙.galaxy" "map" "format 5" "owner ソ" "name 表十" "見た ner ソ" "end"
expect_ansi "$user/宇宙.galold" "map" "format 4" "owner ソ" "name 表十" "seen 能力" "end"
expect_ansi "$user/地図ソ/能.galaxy" "map" "format 5" "owner 許" "name 功蓋" "見た ner 許" "end"
expect_ansi "$user/表.galaxy" "map" "format 4" "owner ソ" "name 表十" "seen x" "end"
expect_absent "$user/表.galold"
expect_bytes "$user/pairs.galaxy" map "format 5" 'owner \x82\xA0' 'name \x87\x90\xEE\x40' \
    '\x8C\xA9\x82\xBD ner \xED\x9F\x82\xA0' end
expect_bytes "$user/pairs.galold" "${pairs[@]}"

scenario_end
