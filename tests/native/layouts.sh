#!/usr/bin/env bash
# The Linux program in a fake home that holds every prefix layout at once (Steam native,
# Flatpak, Snap and $STEAM_DIR, both library list formats, SteamApps, a compatdata link;
# $WINEPREFIX, ~/.wine, Lutris, Heroic with and without umu, umu, Bottles): prints its --list
# and checks it, then opens the window in each prefix listed, with stand-in runners. The
# stand-in wine records its calls: it must run for the Wine prefixes and never for a Proton
# or umu one, whether that prefix's runner is there or not. No Wine is needed.
# Usage: layouts.sh GALEMEND
set -euo pipefail
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# prefix DIR [ROOT] FAMILY...: a 64-bit prefix with the game's keys under ROOT (Wow6432Node\\
# unless given as "-"), each family installed in C:\Games\<family>.
prefix() {
    local dir=$1 root="Wow6432Node\\"
    shift
    [[ $1 == - ]] && root='' && shift
    mkdir -p "$dir/dosdevices" "$dir/drive_c/Program Files (x86)"
    ln -sfn ../drive_c "$dir/dosdevices/c:"
    printf 'WINE REGISTRY Version 2\n\n#arch=win64\n' >"$dir/system.reg"
    local family
    for family in "$@"; do
        mkdir -p "$dir/drive_c/Games/$family"
        printf '\n[Software\\\\%sBrightforge\\\\Vantorhub\\\\%s] 1733650000\n"Path"="C:\\\\Games\\\\%s"\n' \
            "${root//\\/\\\\}" "$family" "$family" >>"$dir/system.reg"
    done
}
# proton_files DIR: what Proton leaves where it keeps a prefix.
proton_files() {
    mkdir -p "$1"
    touch "$1/pfx.lock"
    printf '9.0-200\n%s/files/share/fonts/\n%s/files/lib/\n' "$ge" "$ge" >"$1/config_info"
}
steam_prefix() {
    prefix "$1/steamapps/compatdata/$2/pfx" "${@:3}"
    proton_files "$1/steamapps/compatdata/$2"
}
umu_prefix() {
    prefix "$@"
    ln -s . "$1/pfx"
    proton_files "$1"
}

ge=$home/.local/share/Steam/compatibilitytools.d/GE-Proton9-20
mkdir -p "$ge" "$home/.steam"
touch "$ge/proton"
steam=$home/.local/share/Steam
steam_prefix "$steam" 2280 corv
ln -s "$steam" "$home/.steam/steam"
ln -s "$steam" "$home/.steam/root"
sd="$home/SD \"card\"/SteamLibrary"
steam_prefix "$sd" 2280 corv
steam_prefix "$home/Moved" 2282 corvsundering
ln -s "$home/Moved/steamapps/compatdata/2282" "$sd/steamapps/compatdata/2282"
cat >"$steam/steamapps/libraryfolders.vdf" <<VDF
"libraryfolders"
{
	"0"
	{
		"path"		"$steam"
	}
	"1"
	{
		"path"		"${sd//\"/\\\"}"
	}
}
VDF
flatpak_steam=$home/.var/app/com.valvesoftware.Steam/.local/share/Steam
steam_prefix "$flatpak_steam" 2283 corvconcord
steam_prefix "$home/OldLibrary" 2284 corv
mv "$home/OldLibrary/steamapps" "$home/OldLibrary/SteamApps"
printf '"LibraryFolders"\n{\n\t"TimeNextStatsReport"\t\t"1733650000"\n\t"1"\t\t"%s"\n}\n' \
    "$home/OldLibrary" >"$flatpak_steam/steamapps/libraryfolders.vdf"
steam_prefix "$home/snap/steam/common/.local/share/Steam" 2285 corv
steam_prefix "$home/Steam elsewhere" 2288 corv
prefix "$home/.wine" corvsundering
prefix "$home/Games/corvane-expanse" corv corvsundering
ln -s Games/corvane-expanse "$home/lutris-prefix"
umu_prefix "$home/Games/gog/corvane-expanse" corv
prefix "$home/Games/Heroic/Prefixes/Corvane Wine" corv
umu_prefix "$home/Games/Heroic/Prefixes/default/Corvane Expanse" corv
prefix "$home/Games/Heroic/Prefixes/default/Corvane Sundering/pfx" corvsundering
proton_files "$home/Games/Heroic/Prefixes/default/Corvane Sundering"
umu_prefix "$home/Games/umu/umu-default" corvsundering
prefix "$home/.local/share/bottles/bottles/Corvane" corv
prefix "$home/.var/app/com.usebottles.bottles/data/bottles/bottles/Corvane" corv
prefix "$home/Games/misplaced" - corv

app=$home/app
mkdir -p "$app" "$home/bin" "$home/none"
cp "$1" "$app/galemend"
touch "$app/galemend3.exe"
for runner in wine protontricks-launch umu-run; do
    printf '#!/bin/sh\necho "%s $*" >>"%s/%s.log"\n' "$runner" "$home" "$runner" >"$home/bin/$runner"
done
printf '#!/bin/sh\necho "protontricks (1.14.1)"\n' >"$home/bin/protontricks"
chmod +x "$home/bin/"*

# galemend PATH ARGS...: the program from its folder in the fake home; OUT and STATUS.
galemend() {
    local path=$1
    shift
    STATUS=0
    OUT=$(cd "$app" && env -u WINE HOME="$home" XDG_DATA_HOME= WINEPREFIX="$home/lutris-prefix" \
        STEAM_DIR="$home/Steam elsewhere" PATH="$path" ./galemend "$@" 2>&1) || STATUS=$?
}

galemend "$home/bin:/usr/bin:/bin" --list
echo "$ galemend --list    (HOME=$home)"
echo "$OUT"
((STATUS == 0)) || fail "--list ended with status $STATUS"
entries=$(grep -c '^  editions: ' <<<"$OUT" || true)
((entries == 16)) || fail "--list gave $entries prefixes, not 16"
for kind in "Proton, Steam app 2288, library $home/Steam elsewhere" \
    "  $sd/steamapps/compatdata/2282/pfx" "  $home/OldLibrary/SteamApps/compatdata/2284/pfx" \
    "Proton, Steam app 2285, library $home/snap/steam/common/.local/share/Steam" \
    "  $home/lutris-prefix" "umu (Heroic), Proton $ge" "umu (umu), Proton $ge" \
    "umu (Lutris), Proton $ge" "Wine (Bottles)"; do
    grep -Fxq -- "$kind" <<<"$OUT" || fail "no line \"$kind\" in the list"
done
grep -Fq "Games/misplaced has the game's registry keys only under Software" <<<"$OUT" ||
    fail "the prefix with its keys out of view is not named"

# The window in each listed prefix, with its runner and without any runner but wine.
list=$OUT kind=""
while IFS= read -r line; do
    case $line in
    Proton* | umu*) kind=proton ;;
    Wine*) kind=wine ;;
    "  editions: "*) ;;
    "  "/*)
        for path in "$home/bin:/usr/bin:/bin" "$home/none:/usr/bin:/bin"; do
            rm -f "$home/wine.log"
            [[ $path == "$home/none:"* ]] && cp "$home/bin/wine" "$home/none/wine"
            galemend "$path" --prefix "${line#  }"
            if [[ $kind == proton ]]; then
                [[ ! -e $home/wine.log ]] || fail "wine ran for ${line#  }: $(cat "$home/wine.log")"
                [[ $path == "$home/bin:"* ]] && ((STATUS != 0)) &&
                    fail "${line#  }: status $STATUS with its runner there: $OUT"
                [[ $path == "$home/none:"* ]] && ((STATUS != 11)) &&
                    fail "${line#  }: status $STATUS without its runner: $OUT"
            else
                [[ -e $home/wine.log ]] || fail "wine did not run for the Wine prefix ${line#  }"
            fi
        done
        ;;
    esac
done <<<"$list"
echo "windows opened: $(cat "$home/protontricks-launch.log" "$home/umu-run.log" | wc -l) through protontricks-launch or umu-run"

((failures == 0)) || exit 1
echo "layouts: passed"
