#!/usr/bin/env bash
# The command line, passed raw: anything but a silent switch shows "Invalid argument: " and
# the token as given, ends with status 2 without showing the window, and touches no map;
# two blanks in a row give an empty token, quotes are part of a token, and the first bad
# token wins.
set -euo pipefail
source "$(dirname "$0")/../lib.sh" "$1"

scenario_begin command_line win10
corv='C:\Games\Corvane Expanse'
install_game corv "$corv" "$E2E_GAME_CORV"
registry_apply
install_app "$E2E_GALEMEND3" "$E2E_CORV_VERSION" "$E2E_SUNDERING_VERSION"
user_folder="$LOCALAPPDATA_WIN\\Halberd Games\\Corvane Expanse"
put_map "$user_folder" Alpha.galaxy old

# tag|arguments|token named in the message
cases=(
    'x|/x|/x'
    'blanks|-s  -s|'
    'quoted|"/s"|"/s"'
    'first|/x /s|/x'
    'later|/s /X|/X'
)
script="cd $APP_WIN"
for case in "${cases[@]}"; do
    IFS='|' read -r tag arguments _ <<<"$case"
    script+=$'\n'"start \"$APP_EXE_WIN\" $arguments"$'\n'"msgbox $tag"
    [[ $tag != x ]] || script+=$'\n'"screenshot invalid"
    script+=$'\n'"answer"$'\n'"exit $tag"
done
drive <<<"$script"
for case in "${cases[@]}"; do
    IFS='|' read -r tag _ token <<<"$case"
    expect "$tag caption galemend" "$tag text Invalid argument: $token" \
        "$tag exit 2" "$tag windows 1"
done
expect_untouched_folder "$(unix_path "$user_folder")"

scenario_end
