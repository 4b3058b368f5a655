#!/usr/bin/env bash
# The installed base game is not the version the templates are for, Windows 10: the message
# names both versions and the folders, the window never shows, the process ends with status 3
# once the message is answered, in a silent run too, and no map is touched.
set -euo pipefail
source "$(dirname "$0")/../lib.sh" "$1"

scenario_begin version_mismatch win10
corv='C:\Games\Corvane Expanse'
install_game corv "$corv" "$E2E_GAME_CORV"
registry_apply
install_app "$E2E_GALEMEND3" "1.0.2.6" "$E2E_SUNDERING_VERSION"
user_folder="$LOCALAPPDATA_WIN\\Halberd Games\\Corvane Expanse"
put_map "$user_folder" Alpha.galaxy old
put_map "$corv" Delta.galaxy old

message="found corv version :$E2E_CORV_VERSION:\\x0d\\x0a need corv version :1.0.2.6:"
message+="\\x0d\\x0ain the default location of\\x0d\\x0a$corv\\\\x0d\\x0alocal apps is"
message+="\\x0d\\x0a$LOCALAPPDATA_WIN:\\x0d\\x0aand the corv user directory is\\x0d\\x0a$corv\\"
drive <<EOF
folders f
cd $APP_WIN
start "$APP_EXE_WIN"
msgbox m
answer
exit x
EOF
expect_prefix_folders
expect "m caption galemend" "m text $message" "m button 1 OK"
# Only the message box was ever shown.
expect "x exit 3" "x windows 1"
drive <<EOF
cd $APP_WIN
start "$APP_EXE_WIN" /s
msgbox ms
screenshot mismatch
answer
exit xs
EOF
expect "ms caption galemend" "ms text $message" "ms button 1 OK"
expect "xs exit 3" "xs windows 1"
expect_untouched_folder "$(unix_path "$user_folder")"
expect_untouched_folder "$(unix_path "$corv")"

scenario_end
