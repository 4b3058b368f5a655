#!/usr/bin/env bash
# Both executables' version resources, read back by the driver and by the program's own
# GetFileVersionString on the Win32 probe; and galemend2 behaves as the same program.
set -euo pipefail
source "$(dirname "$0")/../lib.sh" "$1"

scenario_begin versions win10
cp "$E2E_GALEMEND3" "$E2E_GALEMEND2" "$APP/"
registry_apply

drive <<SCRIPT
version v3 $APP_WIN\\galemend3.exe
version v2 $APP_WIN\\galemend2.exe
cd $APP_WIN
start "$APP_WIN\\galemend2.exe" /x
msgbox m
answer
exit x
SCRIPT
expect "v3 product 3.0.0.0" "v3 ProductName galemend" "v3 OriginalFilename galemend3.exe" \
    "v2 product 2.0.0.0" "v2 ProductName galemend" "v2 OriginalFilename galemend2.exe"
internal3=$(fact "v3 InternalName")
internal2=$(fact "v2 InternalName")
[[ -n $internal3 && -n $internal2 && $internal3 != "$internal2" ]] ||
    fail "internal names \"$internal3\" and \"$internal2\" must differ"
# With no data files the version check is skipped and the argument is rejected.
expect "m text Invalid argument: /x" "x exit 2"

probe=$(wine_run "$E2E_VERSION_PROBE" "$APP_WIN\\galemend3.exe" \
    "$APP_WIN\\galemend2.exe" 'C:\windows\win.ini' | tr -d '\r')
expected=$(printf '%s\t%s\n' "$APP_WIN\\galemend3.exe" 3.0.0.0 "$APP_WIN\\galemend2.exe" 2.0.0.0 \
    'C:\windows\win.ini' '')
[[ $probe == "$expected" ]] || fail "GetFileVersionString gave: $probe"

scenario_end
