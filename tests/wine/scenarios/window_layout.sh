#!/usr/bin/env bash
# The window at start, as designed: caption, inner size, every control's class, caption,
# position and size (twips at 15 per pixel), alignment, enabled and visible state, the tab
# order and the tool tips; a screenshot is kept. Base game alone, Windows XP.
set -euo pipefail
source "$(dirname "$0")/../lib.sh" "$1"

scenario_begin window_layout winxp
install_game corv 'C:\Games\Corvane Expanse' "$E2E_GAME_CORV"
registry_apply
install_app "$E2E_GALEMEND3" "$E2E_CORV_VERSION" "$E2E_SUNDERING_VERSION"
user_folder="$LOCALAPPDATA_WIN\\Halberd Games\\Corvane Expanse"
put_map "$user_folder" Alpha.galaxy old

drive <<EOF
$ENV_LINES
cd $APP_WIN
start "$APP_EXE_WIN"
window w merrow's
controls s
tooltips t
screenshot start
click 103
exit x
EOF
expect_prefix_folders
expect "f winver 2 5.1" \
    "w caption merrow's corv & Sundering map updater" \
    "w client 681 496" \
    "s controls 31"

# id class left top width height caption (twips; "-" for a size that follows the text)
design=(
    "401|ComboBox|120|1560|3855|-|"
    "403|ListBox|120|3840|3855|3405|"
    "402|ListBox|120|1920|3855|1890|"
    "101|Button|120|1200|1335|255|find galaxies"
    "102|Button|1440|1200|1815|255|fix found galaxies"
    "103|Button|3240|1080|855|375|exit"
    "104|Button|120|480|3855|255|program space galaxies"
    "105|Button|120|720|3855|255|user space galaxies"
    "301|Edit|4200|1680|2895|5535|"
    "201|Static|7200|600|855|375|stage "
    "202|Static|6240|120|3855|375|Please wait processing"
    "203|Static|8520|600|735|375|of 2"
    "204|Static|5040|1080|615|375|0"
    "205|Static|5760|1080|2175|375|galaxies out of"
    "206|Static|7800|1080|975|375|0"
    "207|Static|8880|1080|1215|375|updated"
    "208|Static|8160|600|375|375|0"
    "302|Edit|7200|1680|2895|5535|"
    "209|Static|4200|1440|2775|255|found galaxy files"
    "210|Static|7200|1440|2895|255|fixed galaxy files"
    "211|Static|120|240|-|-|"
    "212|Static|120|0|-|-|"
    "213|Static|1560|240|-|-|"
    "214|Static|2400|240|-|-|"
    "215|Static|4080|720|-|-|"
    "216|Static|4080|960|-|-|"
    "217|Static|840|240|-|-|"
    "218|Static|4080|480|-|-|"
    "219|Static|4920|600|1695|375|silent mode the buttons do not work"
    "106|Button|120|960|1815|255|corv/concord"
    "107|Button|1920|960|1335|255|sundering"
)
for row in "${design[@]}"; do
    IFS='|' read -r id class left top width height caption <<<"$row"
    expect "s $id class $class"
    if [[ $height == - ]]; then
        expect_position s "$id" "$left" "$top"
        [[ $width == - ]] || expect "s $id rect $((left / 15)) $((top / 15)) $((width / 15)) $(fact "s $id rect" | cut -d' ' -f4)"
    else
        expect_rect s "$id" "$left" "$top" "$width" "$height"
    fi
    [[ -z $caption ]] || expect "s $id text $caption"
    visible=1
    [[ $id == 219 ]] && visible=0
    expect "s $id visible $visible"
done
expect_info_labels s WinXP
expect "s 301 text " "s 302 text "

# Alignment: centred and right-aligned labels; both text boxes multi-line with a vertical
# scroll bar.
style() { local value; value=$(fact "s $1 style"); echo "${value:-0}"; }
for id in 202 209 210 219; do
    ((($(style $id) & 0x3) == 0x1)) || fail "label $id is not centred"
done
for id in 204 206; do
    ((($(style $id) & 0x3) == 0x2)) || fail "label $id is not right-aligned"
done
for id in 301 302; do
    ((($(style $id) & 0x00200004) == 0x00200004)) || fail "text box $id style"
done

# Base game found: its edition button is on, the other off; the search can start, the
# conversion cannot yet. Tab visits the enabled controls in the designed order.
expect_buttons s 1 0 1 1 1 1 0
expect "s tabchain 401 403 402 101 103 104 105 301 302 106"

# The drive list shows the current drive; the file list the map files of the current folder
# (none in the program's folder).
drive_text=$(fact "s 401 text")
[[ ${drive_text,,} == c:* ]] || fail "drive list shows \"$drive_text\""
expect "s 403 count 0"

expect "t 104 tooltip C:\\Games\\Corvane Expanse\\" \
    "t 105 tooltip $user_folder\\" \
    "x exit 0" \
    "x windows 1"
[[ -s $SHOTS/window_layout-start.png ]] || fail "no screenshot"

scenario_end
