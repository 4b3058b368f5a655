# The differential lane: a silent run of galemend3.exe under Wine and of the native Linux
# galemend on an identical copy of the prefix must leave identical trees and end with the same
# status. Sourced by lib.sh; drive() calls native_before and native_after around every driver
# script that starts the program once, with arguments, and waits for it to end.
# shellcheck shell=bash

NATIVE_COMPARED=0

# The arguments of the script's only program start, when it is a run to compare: a silent run
# of galemend3.exe, whose end the script waits for ("exit TAG"). Other command lines are the
# window's, which the native program hands to galemend3.exe under the prefix's runner.
native_arguments() {
    local script=$1
    (($(grep -c '^start ' "$script") == 1)) || return 1
    grep -q '^exit ' "$script" || return 1
    grep -qi '^start "[^"]*\\galemend3\.exe"' "$script" || return 1
    local arguments
    arguments=$(sed -n 's/^start "[^"]*" *//p' "$script")
    grep -qiwE -- '[/-]s(ilent)?' <<<"$arguments" || return 1
    printf '%s' "$arguments"
}

# Folders the scenario locked (mode 000) cannot be copied or compared as they are: these open
# them for a moment, listing "mode path" of each, and lock them again, in any tree.
native_unlock() {
    local folder folders
    # find complains about the very folders it lists, and ends with a failure then.
    folders=$(find "$1" -type d ! -readable 2>/dev/null || true)
    [[ -n $folders ]] || return 0
    while read -r folder; do
        printf '%s %s\n' "$(stat -c %a "$folder")" "${folder#"$1"}"
        chmod u+rwx "$folder"
    done <<<"$folders"
}
native_relock() {
    local mode folder tree
    while read -r mode folder; do
        for tree in "${@:2}"; do
            chmod "$mode" "$tree$folder"
        done
    done <<<"$1"
}

# native_copy PREFIX COPY: the prefix with its own drive_c\windows, Wine's ~700 MB that no
# silent run reads or writes, hard-linked rather than copied.
native_copy() {
    local entry
    mkdir -p "$2/drive_c"
    for entry in "$1"/* "$1"/.[!.]*; do
        [[ -e $entry || -L $entry ]] || continue
        [[ $entry == "$1/drive_c" ]] || cp -a "$entry" "$2/"
    done
    for entry in "$1"/drive_c/* "$1"/drive_c/.[!.]*; do
        [[ -e $entry || -L $entry ]] || continue
        if [[ $entry == "$1/drive_c/windows" ]]; then
            cp -al "$entry" "$2/drive_c/"
        else
            cp -a "$entry" "$2/drive_c/"
        fi
    done
}

# native_differences WINE_DRIVE_C COPY_DRIVE_C: the first differences of the two trees, but
# for Wine's own windows folder.
native_differences() {
    local entry name
    for entry in "$1"/* "$1"/.[!.]* "$2"/* "$2"/.[!.]*; do
        [[ -e $entry || -L $entry ]] || continue
        name=${entry##*/}
        [[ $name != windows ]] || continue
        diff -r --no-dereference "$1/$name" "$2/$name" 2>&1 || true
    done | sort -u | head -n 20
}

# Takes the copy the native program runs on, before Wine runs. Both trees hold the native
# program beside galemend3.exe, as the Linux package has them.
native_before() {
    [[ -n ${E2E_NATIVE:-} ]] || return 0
    [[ -x $E2E_NATIVE ]] || die "no native galemend at $E2E_NATIVE: build the native preset first"
    cp "$E2E_NATIVE" "$APP/galemend"
    # The server writes the registry files when it ends; the scenario's next programs get a
    # new one, kept up as scenario_begin keeps it.
    timeout 60 wineserver -k >/dev/null 2>&1 || true
    timeout 60 wineserver -w >/dev/null 2>&1 || true
    wineserver -p60 >>"$WINE_LOG" 2>&1 || die "wineserver did not start again"
    rm -rf "$WORK/native"
    mkdir -p "$WORK/native"
    local locked
    locked=$(native_unlock "$WINEPREFIX")
    native_copy "$WINEPREFIX" "$WORK/native/prefix"
    [[ -z $locked ]] || native_relock "$locked" "$WINEPREFIX" "$WORK/native/prefix"
}

# native_after SCRIPT: runs the native program on the copy and compares.
native_after() {
    [[ -n ${E2E_NATIVE:-} ]] || return 0
    local script=$1 arguments folder status wine_status
    arguments=$(native_arguments "$script") || return 0
    folder=$(sed -n 's/^cd //p' "$script" | tail -n 1)
    local tag
    tag=$(sed -n 's/^exit //p' "$script" | tail -n 1)
    wine_status=$(sed -n "s/^$tag exit //p" "$TRANSCRIPT" | tail -n 1)
    local copy=$WORK/native/prefix here program
    here=$(WINEPREFIX=$copy unix_path "${folder:-$APP_WIN}")
    program=$(WINEPREFIX=$copy unix_path "$APP_WIN")/galemend
    status=0
    # Word splitting is wanted: the arguments are the command line's words.
    # shellcheck disable=SC2086
    (cd "$here" && "$program" --prefix "$copy" $arguments) \
        >"$WORK/native-$drives.txt" 2>&1 || status=$?
    NATIVE_COMPARED=$((NATIVE_COMPARED + 1))
    [[ $status == "$wine_status" ]] ||
        fail "native run $drives ended with status $status, galemend3.exe with $wine_status"
    local differences locked
    locked=$(native_unlock "$WINEPREFIX/drive_c")
    [[ -z $locked ]] || native_unlock "$copy/drive_c" >/dev/null
    differences=$(native_differences "$WINEPREFIX/drive_c" "$copy/drive_c")
    # The copy stays open, so that the scenario can remove it.
    [[ -z $locked ]] || native_relock "$locked" "$WINEPREFIX/drive_c"
    [[ -z $differences ]] || fail "native run $drives left another tree than Wine:
$differences"
}

# A scenario that compares nothing says why, in one line.
native_summary() {
    [[ -n ${E2E_NATIVE:-} ]] || return 0
    if ((NATIVE_COMPARED > 0)); then
        echo "$SCENARIO: native runs compared with Wine: $NATIVE_COMPARED"
    else
        echo "$SCENARIO: no native comparison: it starts no silent run on its own"
    fi
}
