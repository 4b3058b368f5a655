#!/usr/bin/env bash
# The Linux launcher in a fake home made for this run: a Steam root, reached through the
# ~/.steam links and libraryfolders.vdf too, holding the complete Proton prefix of app 2280
# with the base game; a second library with a compatdata Proton never finished; a Lutris
# prefix holding the Sundering edition, also named by WINEPREFIX through a link; and
# prefixes without the game. The two game prefixes are real Wine prefixes,
# copies of the e2e base prefix set up as scripts/demo sets up its sample installation.
# A stand-in protontricks-launch records how it was called and runs the real Wine in the
# app's prefix.
# Usage: launcher.sh E2E_CONFIG SOURCE_DIR BASE_GAME_EXE SUNDERING_GAME_EXE
set -euo pipefail
source "$(dirname "$0")/../wine/lib.sh" "$1"
top=$2
[[ -f $E2E_WORK/base/ready ]] || die "no base prefix; run the e2e_base_prefix test first"
base_folders

home=$(cd "$(mktemp -d)" && pwd -P)
# A server folder of its own, as each e2e scenario has (see scenario_begin).
SERVER_TMP=$(mktemp -d /tmp/galemend-linux.XXXXXXXX)
export TMPDIR=$SERVER_TMP
export HOME=$home WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
unset WINEPREFIX WINE STEAM_DIR DISPLAY
system_path=$PATH
steam=$home/.local/share/Steam
library="$home/SD card/SteamLibrary"
proton=$steam/steamapps/compatdata/2280/pfx
lutris=$home/Games/corvane-expanse
app="$home/Apps/galemend 3.0"

cleanup() {
    local status=$? prefix
    for prefix in "$proton" "$lutris"; do
        WINEPREFIX=$prefix timeout 20 wineserver -k >/dev/null 2>&1 || true
    done
    rm -rf "$SERVER_TMP"
    if ((status == 0 && failures == 0)); then
        rm -rf "$home"
    else
        echo "fake home kept for a look inside: $home" >&2
    fi
    exit "$status"
}
trap cleanup EXIT

# game_prefix DIR KEY GAME_EXE GAME_MAPS USER_FOLDER USER_MAPS: a copy of the base prefix
# with the game installed in C:\Games and the player's maps in their Windows folder.
game_prefix() {
    local game='C:\Games\Corvane Expanse'
    [[ $2 == corvsundering ]] && game+=' Sundering'
    mkdir -p "$(dirname "$1")"
    copy_base_prefix "$1"
    export WINEPREFIX=$1
    registry_begin "$home/setup.reg" win10
    install_game "$2" "$game" "$3"
    registry_apply
    cp -r "$4"/. "$(unix_path "$game")/"
    mkdir -p "$(unix_path "$5")"
    cp -r "$6"/. "$(unix_path "$5")/"
    # Wine writes system.reg once its server ends; the launcher reads it from there.
    timeout 60 wineserver -w
    unset WINEPREFIX
}

# A prefix in form only: system.reg with one key, and drive_c.
bare_prefix() {
    mkdir -p "$1/drive_c"
    printf 'WINE REGISTRY Version 2\n\n[%s] 1733650000\n' "$2" >"$1/system.reg"
}

# launch [VAR=value...] -- ARGS...: the launcher from the fake home; OUT and STATUS.
launch() {
    local env=()
    while [[ $1 != -- ]]; do
        env+=("$1")
        shift
    done
    shift
    STATUS=0
    OUT=$(cd "$home" && env PATH="$home/bin:$system_path" "${env[@]}" "$app/galemend" "$@" 2>&1) ||
        STATUS=$?
    printf '$ galemend %s\n%s\n[status %s]\n' "$*" "$OUT" "$STATUS" >>"$home/transcript.txt"
}

expect_status() {
    ((STATUS == $1)) || fail "status $STATUS, expected $1; output:"$'\n'"$OUT"
}

expect_output() {
    local line
    for line in "$@"; do
        grep -Fxq -- "$line" <<<"$OUT" || fail "no line \"$line\" in:"$'\n'"$OUT"
    done
}

# expect_converted DIR NAME FORMAT: the map was converted to FORMAT; its original was kept.
expect_converted() {
    local map=$1/$2
    [[ -f ${map%.galaxy}.galold ]] || fail "not converted: $map"
    [[ $(sed -n 2p "$map" | tr -d '\r') == "format $3" ]] || fail "$map is not format $3"
}

# galemend as the package holds it, in a folder with a blank in its name.
mkdir -p "$app" "$home/bin"
cp "$top/linux/galemend" "$E2E_GALEMEND3" "$top"/demo/data/* "$app/"

# Steam: the real root, the links to it, and libraryfolders.vdf naming both libraries.
mkdir -p "$steam/steamapps" "$library/steamapps" "$home/.steam"
ln -s ../.local/share/Steam "$home/.steam/steam"
ln -s ../.local/share/Steam "$home/.steam/root"
cat >"$steam/steamapps/libraryfolders.vdf" <<VDF
"libraryfolders"
{
	"0"
	{
		"path"		"$steam"
		"apps"
		{
			"2280"		"2097152"
		}
	}
	"1"
	{
		"path"		"$library"
		"apps"
		{
			"228980"		"1216447"
		}
	}
}
VDF

user_corv="$LOCALAPPDATA_WIN\\Halberd Games\\Corvane Expanse"
user_sundering="$DOCUMENTS_WIN\\My Games\\Halberd Games\\Corvane Expanse Sundering"
game_prefix "$proton" corv "$3" "$top/demo/game/corv" "$user_corv" "$top/demo/user/corv"
touch "$proton.lock"
# Left out here: its missing second line would end the run with status 4.
rm "$(WINEPREFIX=$proton unix_path "$user_corv")/Broken.galaxy"
game_prefix "$lutris" corvsundering "$4" "$top/demo/game/sundering" "$user_sundering" \
    "$top/demo/user/sundering"
cp "$top/demo/user/corv/Broken.galaxy" "$(WINEPREFIX=$lutris unix_path "$user_sundering")/"
bare_prefix "$library/steamapps/compatdata/2281/pfx" 'Software\\Wow6432Node\\Brightforge\\Vantorhub\\corv'
bare_prefix "$library/steamapps/compatdata/2282/pfx" 'Software\\Wow6432Node\\Valve\\Steam'
touch "$library/steamapps/compatdata/2282/pfx.lock"
bare_prefix "$home/Games/other-game" 'Software\\Wine'
user_proton=$(WINEPREFIX=$proton unix_path "$user_corv")
user_lutris=$(WINEPREFIX=$lutris unix_path "$user_sundering")

cat >"$home/bin/protontricks-launch" <<STANDIN
#!/bin/sh
# Stand-in for protontricks-launch --appid N EXE ARGS: records them and its folder, then
# runs the real Wine in the app's prefix.
set -eu
if [ "\$1" = --help ]; then
    cat "$home/bin/help.txt"
    exit 0
fi
printf '%s\n' "cwd \$PWD" "\$@" >"$home/protontricks.log"
[ "\$1" = --appid ] || exit 64
WINEPREFIX="$steam/steamapps/compatdata/\$2/pfx"
export WINEPREFIX
shift 2
exec wine "\$@"
STANDIN
chmod +x "$home/bin/protontricks-launch"
help="usage: protontricks-launch [--no-term] [--no-runtime] [--no-bwrap] [--appid [APPID]] [--cwd-app] executable ..."
printf '%s\n' "$help" >"$home/bin/help.txt"

# The two complete prefixes with the game, once each, however many roads lead to them.
ln -s Games/corvane-expanse "$home/lutris-prefix"
launch WINEPREFIX="$home/lutris-prefix" -- --list
expect_status 0
[[ $OUT == "Proton, Steam app 2280, library $steam
  $proton
  editions: corv/concord
Wine
  $lutris
  editions: sundering" ]] || fail "--list printed:"$'\n'"$OUT"

launch -- /s
expect_status 10
expect_output "galemend: several prefixes hold Corvane Expanse; choose one with --prefix DIR or --appid N:"

# Never another Wine on a Proton prefix: the hint and the command it would run.
launch PATH="$system_path" -- --appid 2280 /s
expect_status 11
expect_output "galemend:   pipx install protontricks" \
    "galemend:   cd '$app' && protontricks-launch --appid 2280 galemend3.exe /s"
# Before --cwd-app, protontricks-launch started programs in the game's folder.
printf '%s\n' "${help/ \[--cwd-app\]/}" >"$home/bin/help.txt"
launch -- --appid 2280 /s
expect_status 11
expect_output "galemend: away from its data files. Update it with:  pipx upgrade protontricks"
printf '%s\n' "$help" >"$home/bin/help.txt"
expect_absent "$home/protontricks.log" "$user_proton/My First Map.galold"

launch -- --appid 2280 /s
expect_status 0
[[ $(cat "$home/protontricks.log") == "cwd $app
--appid
2280
galemend3.exe
/s" ]] || fail "protontricks-launch was called as: $(cat "$home/protontricks.log")"
expect_converted "$user_proton" "My First Map.galaxy" 5
expect_converted "$user_proton/Campaign" "Border Wars.galaxy" 5
expect_absent "$user_proton/Campaign/Already New.galold"

# The Wine prefix, with galemend's own status (a map it cannot convert) passed back.
rm "$home/protontricks.log"
launch -- --prefix "$lutris" /s
expect_status 4
expect_output "galemend: running in the Wine prefix $lutris with wine"
expect_converted "$user_lutris" Duel.galaxy 6
expect_converted "$user_lutris" Frontier.galaxy 6
expect_absent "$user_lutris/Broken.galold" "$home/protontricks.log"

# Wherever it is named, a compatdata prefix is Proton's, and unfinished without pfx.lock.
launch -- --prefix "$library/steamapps/compatdata/2281/pfx" /s
expect_status 10
expect_output "galemend: $library/steamapps/compatdata/2281/pfx is no prefix that holds Corvane Expanse."

launch HOME="$home/Apps" -- /s
expect_status 10
expect_output "galemend: found no prefix that holds Corvane Expanse. Looked in:" \
    "galemend:   Lutris: $home/Apps/Games/*"

cat "$home/transcript.txt"
if ((failures > 0)); then
    echo "linux launcher: $failures check(s) failed" >&2
    exit 1
fi
echo "linux launcher: passed"
