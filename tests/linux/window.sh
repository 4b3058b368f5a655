#!/usr/bin/env bash
# The Linux program in a fake home made for this run, as the package lays it out (galemend
# beside galemend3.exe and the data files): a Steam root, reached through the ~/.steam links
# and libraryfolders.vdf too, holding the complete Proton prefix of app 2280 with the base
# game; a Lutris prefix holding the Sundering edition, also named by WINEPREFIX through a
# link; a umu prefix made by Heroic; prefixes without the game. The Proton and Lutris
# prefixes are real Wine prefixes, copies of the e2e base prefix set up as scripts/demo sets
# up its sample installation.
# Stand-ins on PATH record how they were called: protontricks-launch and umu-run (the first
# runs the real Wine in the prefix it is pointed at), flatpak, and a wine that notes each call
# before it runs the real one. In no Proton or umu run may that wine be called.
# Usage: window.sh E2E_CONFIG SOURCE_DIR NATIVE_PROGRAM BASE_GAME_EXE SUNDERING_GAME_EXE
set -euo pipefail
source "$(dirname "$0")/../wine/lib.sh" "$1"
top=$2
native=$3
[[ -f $E2E_WORK/base/ready ]] || die "no base prefix; run the e2e_base_prefix test first"
[[ -x $native ]] || die "no native galemend at $native; build the native program first"
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

# A prefix in form only, as the search reads it: drives, system.reg with the game's key
# (when given) where galemend3.exe on 64-bit Windows reads it, and the game's folder.
bare_prefix() {
    mkdir -p "$1/drive_c/Program Files (x86)" "$1/drive_c/Games/Corv" "$1/dosdevices"
    ln -sfn ../drive_c "$1/dosdevices/c:"
    printf 'WINE REGISTRY Version 2\n\n#arch=win64\n\n[%s] 1733650000\n"Path"="C:\\\\Games\\\\Corv"\n' \
        "$2" >"$1/system.reg"
}

# launch [VAR=value...] -- ARGS...: galemend from its folder, as a player starts it; OUT and
# STATUS.
launch() {
    local env=()
    while [[ $1 != -- ]]; do
        env+=("$1")
        shift
    done
    shift
    STATUS=0
    OUT=$(cd "$app" && env PATH="$home/bin:$system_path" "${env[@]}" "$app/galemend" "$@" 2>&1) ||
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

# The stand-in wine must not have run since the last call; forgets its calls.
expect_no_wine() {
    [[ ! -e $home/wine.log ]] || fail "wine ran in a $1 prefix: $(cat "$home/wine.log")"
}

# galemend as the package holds it, in a folder with a blank in its name.
mkdir -p "$app" "$home/bin"
cp "$native" "$E2E_GALEMEND3" "$top"/demo/data/* "$app/"

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
	}
	"1"
	{
		"path"		"$library"
	}
}
VDF

user_corv="$LOCALAPPDATA_WIN\\Halberd Games\\Corvane Expanse"
user_sundering="$DOCUMENTS_WIN\\My Games\\Halberd Games\\Corvane Expanse Sundering"
game_prefix "$proton" corv "$4" "$top/demo/game/corv" "$user_corv" "$top/demo/user/corv"
touch "$proton.lock"
# Left out here: its missing second line would end the run with status 4.
rm "$(WINEPREFIX=$proton unix_path "$user_corv")/Broken.galaxy"
game_prefix "$lutris" corvsundering "$5" "$top/demo/game/sundering" "$user_sundering" \
    "$top/demo/user/sundering"
cp "$top/demo/user/corv/Broken.galaxy" "$(WINEPREFIX=$lutris unix_path "$user_sundering")/"
user_proton=$(WINEPREFIX=$proton unix_path "$user_corv")
user_lutris=$(WINEPREFIX=$lutris unix_path "$user_sundering")
# A compatdata prefix Proton never finished, and one without the game.
key='Software\\Wow6432Node\\Brightforge\\Vantorhub\\corv'
bare_prefix "$library/steamapps/compatdata/2281/pfx" "$key"
bare_prefix "$library/steamapps/compatdata/2282/pfx" 'Software\\Wow6432Node\\Valve\\Steam'
touch "$library/steamapps/compatdata/2282/pfx.lock"
# Heroic's umu prefix: Proton's files in the prefix itself, its pfx a link back to it.
umu="$home/Games/Heroic/Prefixes/default/Corvane Expanse"
ge=$home/.local/share/Steam/compatibilitytools.d/GE-Proton9-20
bare_prefix "$umu" "$key"
ln -s . "$umu/pfx"
touch "$umu/pfx.lock"
printf '9.0-200\n%s/files/share/fonts/\n%s/files/lib/\n' "$ge" "$ge" >"$umu/config_info"
mkdir -p "$ge"
touch "$ge/proton"

real_wine=$(command -v wine)
cat >"$home/bin/wine" <<STANDIN
#!/bin/sh
printf '%s\n' "WINEPREFIX=\$WINEPREFIX \$*" >>"$home/wine.log"
exec "$real_wine" "\$@"
STANDIN
# protontricks-launch --appid N EXE ARGS: records its call, then runs the real Wine in the
# prefix STEAM_COMPAT_DATA_PATH names, as protontricks 1.14 does.
cat >"$home/bin/protontricks-launch" <<STANDIN
#!/bin/sh
set -eu
printf '%s\n' "cwd \$PWD" "STEAM_COMPAT_DATA_PATH=\${STEAM_COMPAT_DATA_PATH:-}" "\$@" \
    >"$home/protontricks.log"
[ "\$1" = --appid ] || exit 64
WINEPREFIX="\$STEAM_COMPAT_DATA_PATH/pfx"
export WINEPREFIX
shift 2
exec "$real_wine" "\$@"
STANDIN
cat >"$home/bin/protontricks" <<STANDIN
#!/bin/sh
echo "protontricks (\$(cat "$home/bin/version"))"
STANDIN
echo 1.14.1 >"$home/bin/version"
cat >"$home/bin/umu-run" <<STANDIN
#!/bin/sh
printf '%s\n' "cwd \$PWD" "WINEPREFIX=\$WINEPREFIX" "PROTONPATH=\$PROTONPATH" "\$@" >"$home/umu.log"
STANDIN
chmod +x "$home/bin/"*

# The prefixes with the game, once each, however many roads lead to them.
ln -s Games/corvane-expanse "$home/lutris-prefix"
launch WINEPREFIX="$home/lutris-prefix" -- --list
expect_status 0
[[ $OUT == "galemend: $library/steamapps/compatdata/2281/pfx holds the game, but Proton has not finished setting it up (no pfx.lock beside it): start the game once from Steam
Proton, Steam app 2280, library $steam
  $proton
  editions: corv/concord
Wine
  $home/lutris-prefix
  editions: sundering
umu (Heroic), Proton $ge
  $umu
  editions: corv/concord" ]] ||
    fail "--list printed:"$'\n'"$OUT"

launch -- /s
expect_status 10
expect_output "galemend: several prefixes hold Corvane Expanse; choose one with --prefix DIR or --appid N:"

# The window's runner for Steam's Proton: protontricks, pointed at the chosen prefix.
launch -- --appid 2280 --exe /s
expect_status 0
[[ $(cat "$home/protontricks.log") == "cwd $app
STEAM_COMPAT_DATA_PATH=$steam/steamapps/compatdata/2280
--appid
2280
$app/galemend3.exe
/s" ]] || fail "protontricks-launch was called as: $(cat "$home/protontricks.log")"
expect_converted "$user_proton" "My First Map.galaxy" 5
expect_converted "$user_proton/Campaign" "Border Wars.galaxy" 5
expect_absent "$user_proton/Campaign/Already New.galold"
expect_no_wine Proton

# Never another Wine on a Proton prefix: without protontricks, the hint and the command.
launch PATH="$home/empty:/usr/bin:/bin" -- --appid 2280
expect_status 11
grep -Fq "protontricks-launch --appid 2280" <<<"$OUT" || fail "no command shown:"$'\n'"$OUT"
echo 1.11.0 >"$home/bin/version"
launch -- --appid 2280
expect_status 11
echo 1.14.1 >"$home/bin/version"
expect_no_wine Proton

# umu's prefix runs through umu-run with the Proton it records, never through wine.
launch -- --prefix "$umu"
expect_status 0
[[ $(cat "$home/umu.log") == "cwd $app
WINEPREFIX=$umu
PROTONPATH=$ge
$app/galemend3.exe" ]] || fail "umu-run was called as: $(cat "$home/umu.log")"
rm "$home/bin/umu-run"
launch -- --prefix "$umu"
expect_status 11
expect_no_wine umu

# The native run: no Wine at all, whatever the prefix.
launch -- --prefix "$lutris" /s
expect_status 4
expect_converted "$user_lutris" Duel.galaxy 6
expect_converted "$user_lutris" Frontier.galaxy 6
expect_absent "$user_lutris/Broken.galold"
expect_no_wine Wine

# The Wine prefix's window runner is wine; galemend3.exe's own status comes back.
launch -- --prefix "$lutris" --exe /s
expect_status 4
grep -Fq "WINEPREFIX=$lutris $app/galemend3.exe /s" "$home/wine.log" ||
    fail "wine was called as: $(cat "$home/wine.log" 2>/dev/null)"

launch HOME="$home/Apps" -- /s
expect_status 10
expect_output "galemend: found no prefix that holds Corvane Expanse. Looked in:" \
    "galemend:   Lutris: $home/Apps/Games/*, $home/Apps/Games/*/*"

cat "$home/transcript.txt"
if ((failures > 0)); then
    echo "linux window: $failures check(s) failed" >&2
    exit 1
fi
echo "linux window: passed"
