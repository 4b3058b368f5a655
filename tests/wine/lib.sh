# Shared steps of the end-to-end scenarios, sourced with the config file CMake writes:
# a player's machine in a private Wine prefix copied from the prepared one, an X display of
# its own, the test driver, and checks on the driver's transcript and on files.
# shellcheck shell=bash

source "$1"
source "$(dirname "${BASH_SOURCE[0]}")/native.sh"
# Nothing of the caller's X or Wine session reaches a scenario: the display, the prefix and the
# server below are the scenario's own. Wine stays quiet unless E2E_WINEDEBUG asks otherwise;
# what it says goes to the scenario's log either way.
unset DISPLAY XAUTHORITY WINESERVER WINELOADER WINEDLLPATH WINEDLLOVERRIDES
export WINEDEBUG=${E2E_WINEDEBUG:--all}
# Never the user's own prefix, even before a scenario has made its own.
export WINEPREFIX=$E2E_WORK/run/no-scenario-prefix

# Limits for a loaded machine; a scenario that needs them has hung, not slowed.
E2E_DRIVE_TIMEOUT=${E2E_DRIVE_TIMEOUT:-300}
E2E_WINE_TIMEOUT=${E2E_WINE_TIMEOUT:-180}
APP_WIN='C:\galemend'
failures=0
drives=0
xvfb_pid=""
WORK=""
SERVER_TMP=""
# Where Wine's messages go; a scenario's own log once scenario_begin has made it.
WINE_LOG=/dev/stderr

die() {
    echo "ERROR: $*" >&2
    exit 1
}

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# C:\a\b -> the Unix path inside the prefix.
unix_path() {
    local path=$1
    [[ ${path:0:2} == [Cc]: ]] || die "not on drive C: $path"
    local rest=${path:2}
    printf '%s' "$WINEPREFIX/drive_c${rest//\\//}"
}

# A Unix path as Wine's Z: drive names it.
z_path() {
    printf 'Z:%s' "${1//\//\\}"
}

# The text of lines each ending in CR LF, as the program writes files.
crlf() {
    (($# == 0)) || printf '%s\r\n' "$@"
}

# The same lines as the driver reports a control's text (CR LF escaped).
crlf_escaped() {
    (($# == 0)) || printf '%s\\x0d\\x0a' "$@"
}

# Lines given with \x escapes for their bytes (file content in no particular code page), CR LF
# after each: write_bytes FILE LINE..., and expect_bytes FILE LINE... to check a file holds them.
write_bytes() {
    local file=$1
    shift
    mkdir -p "$(dirname "$file")"
    printf '%b\r\n' "$@" >"$file"
}
expect_bytes() {
    local file=$1
    shift
    cmp -s <(printf '%b\r\n' "$@") "$file" ||
        fail "file $file holds: $(od -An -tx1 "$file" 2>&1 | tr -d '\n')"
}

write_crlf() {
    local file=$1
    shift
    mkdir -p "$(dirname "$file")"
    crlf "$@" >"$file"
}

# scenario_begin NAME WINDOWS_VERSION (winxp, win7, win10)
scenario_begin() {
    SCENARIO=$1
    WINVER=$2
    SHOTS=$E2E_WORK/screenshots
    mkdir -p "$E2E_WORK/run" "$SHOTS"
    # A folder of its own even when another ctest runs the same scenario from this build.
    WORK=$(mktemp -d "$E2E_WORK/run/$SCENARIO.XXXXXX")
    WINE_LOG=$WORK/wine.log
    trap scenario_cleanup EXIT
    mkdir -p "$WORK/home" "$WORK/sync"
    : >"$WINE_LOG"
    # Debian's Wine keeps the server's socket below TMPDIR, in a folder named by the prefix's
    # "wineserver" file, which every copy of the base would share. A private TMPDIR and no
    # such file give this prefix a server folder nobody else can reach or remove; a short
    # path keeps the socket's name within the limit of Unix sockets.
    SERVER_TMP=$(mktemp -d /tmp/galemend-e2e.XXXXXXXX)
    export TMPDIR=$SERVER_TMP
    copy_base_prefix "$WORK/prefix"
    export WINEPREFIX=$WORK/prefix HOME=$WORK/home WINEARCH=win64
    export WINEDLLOVERRIDES="mscoree,mshtml="
    start_display
    # The scenario's own server, up before any Wine program so that none races to start it.
    # It outlives the gaps between programs; scenario_cleanup ends it, and if the scenario is
    # killed it leaves a minute after its last program.
    wineserver -p60 >>"$WINE_LOG" 2>&1 || die "wineserver did not start"

    base_folders
    APP=$(unix_path "$APP_WIN")
    mkdir -p "$APP"
    registry_begin "$WORK/setup.reg" "$WINVER"
}

# registry_begin FILE WINDOWS_VERSION: the file of values registry_apply imports, starting
# with the Windows version Wine reports.
registry_begin() {
    REG_FILE=$1
    printf 'Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Wine]\n"Version"="%s"\n' \
        "$2" >"$REG_FILE"
}

# The local application-data and documents folders of the base prefix, as Windows names them.
base_folders() {
    LOCALAPPDATA_WIN=$(tr -d '\r' <"$E2E_WORK/base/folders.txt" | sed -n 's/^f localappdata //p')
    DOCUMENTS_WIN=$(tr -d '\r' <"$E2E_WORK/base/folders.txt" | sed -n 's/^f documents //p')
}

# Copies the prepared prefix while make-base.sh cannot be rebuilding it.
copy_base_prefix() {
    local lock
    exec {lock}>>"$E2E_WORK/base.lock"
    flock -s -w 600 "$lock" || die "the base prefix stayed locked"
    [[ -f $E2E_WORK/base/ready ]] || die "no base prefix; run the e2e_base_prefix test first"
    cp -a "$E2E_WORK/base/prefix" "$1"
    exec {lock}>&-
    rm -f "$1/wineserver"
}

# An X server on a display it picks itself among the free ones; it writes the number to the
# pipe once it accepts connections.
start_display() {
    local pipe=$WORK/displayfd number=""
    mkfifo "$pipe"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$pipe" \
        >"$WORK/xvfb.log" 2>&1 &
    xvfb_pid=$!
    read -r -t 60 number <"$pipe" || true
    [[ $number =~ ^[0-9]+$ ]] || die "Xvfb did not start: $(cat "$WORK/xvfb.log")"
    export DISPLAY=:$number
    echo "display :$number, prefix $WINEPREFIX" >>"$WINE_LOG"
}

# Runs a Windows program of the scenario with a limit; Wine's messages go to the log.
wine_run() {
    echo "== wine $*" >>"$WINE_LOG"
    timeout -k 10 "$E2E_WINE_TIMEOUT" wine "$@" 2>>"$WINE_LOG"
}

# What a failed scenario leaves for a look: what the driver saw, what Wine said, and where.
print_transcript() {
    local n
    echo "---- $SCENARIO: transcript ----"
    for ((n = 1; n <= drives; n++)); do
        echo "-- driver script $n"
        sed 's/^/    /' "$WORK/script-$n.txt" 2>/dev/null || true
        echo "-- what the driver saw"
        sed 's/^/    /' "$WORK/transcript-$n.txt" 2>/dev/null || true
    done
    echo "-- Wine's messages ($WINE_LOG)"
    sed 's/^/    /' "$WINE_LOG" 2>/dev/null || true
    echo "-- Xvfb"
    sed 's/^/    /' "$WORK/xvfb.log" 2>/dev/null || true
    echo "-- kept prefix: $WORK/prefix"
}

scenario_cleanup() {
    local status=$?
    if [[ -n ${WINEPREFIX:-} && -d $WINEPREFIX ]]; then
        # -k ends this prefix's server and every program of it; -w returns once it is gone,
        # so that nothing of it outlives the prefix or its socket folder.
        timeout 60 wineserver -k >/dev/null 2>&1 || true
        timeout 60 wineserver -w >/dev/null 2>&1 || true
    fi
    if [[ -n $xvfb_pid ]]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    [[ -z $SERVER_TMP ]] || rm -rf "$SERVER_TMP"
    if [[ -n $WORK ]]; then
        if ((status == 0 && failures == 0)); then
            rm -rf "$WORK"
        else
            print_transcript >&2
        fi
    fi
    exit "$status"
}

scenario_end() {
    native_summary
    if ((failures > 0)); then
        echo "$SCENARIO: $failures check(s) failed; transcripts and prefix in $WORK" >&2
        exit 1
    fi
    echo "$SCENARIO: passed"
}

# The registry value of an installed edition, in the view a 64-bit prefix uses.
# reg_install_path corv|corvconcord|corvsundering 'C:\Games\...'
reg_install_path() {
    local value=${2//\\/\\\\}
    printf '\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Brightforge\\Vantorhub\\%s]\n"Path"="%s"\n' \
        "$1" "$value" >>"$REG_FILE"
}

# Every value of the scenario in one regedit call.
registry_apply() {
    local status=0
    wine_run regedit /S "$(z_path "$REG_FILE")" || status=$?
    ((status == 0)) || die "regedit failed with status $status"
}

# install_game corv|corvconcord|corvsundering 'C:\Games\Folder' EXECUTABLE
install_game() {
    local key=$1 folder=$2 executable=$3 name="Corvane Expanse.exe"
    [[ $key == corvsundering ]] && name="Corvane Expanse Sundering.exe"
    mkdir -p "$(unix_path "$folder")"
    cp "$executable" "$(unix_path "$folder")/$name"
    reg_install_path "$key" "$folder"
}

# The program and its data files in C:\galemend, which is also its current folder.
# install_app EXECUTABLE CORV_VERSION SUNDERING_VERSION [MARKER]
install_app() {
    cp "$1" "$APP/"
    write_crlf "$APP/targetcorvver.txt" "$2" "line 2" "line 3" "line 4" "$3" "line 6" "${4:-}"
    write_crlf "$APP/original corv galaxies.txt" "Stock One.galaxy"
    local edition
    for edition in c u; do
        write_crlf "$APP/${edition}newstruct0.txt" "N" "format 5"
        write_crlf "$APP/${edition}oldstruct4.txt" "T" 'f$1' "format"
        write_crlf "$APP/${edition}newstruct4.txt" "T" 'f$1' "format 5"
    done
    # The fix pass rewrites a line only where three lines in a row match.
    write_crlf "$APP/uoldstructfix5.txt" "T" 's$1' "ship"
    write_crlf "$APP/unewstructfix5.txt" "T" 's$1' "vessel ##"
    APP_EXE_WIN="$APP_WIN\\$(basename "$1")"
}

# Maps: an old one (format 4), what each edition makes of it, and a current one.
OLD_MAP_TAIL=("format 4" "ship 12" "ship 34" "ship 56" "end")
C_MAP_TAIL=("format 5" "ship 12" "ship 34" "ship 56" "end")
U_MAP_TAIL=("format 5" "vessel 12" "ship 34" "ship 56" "end")

# put_map 'C:\folder' Name.galaxy old|current
put_map() {
    local file
    file="$(unix_path "$1")/$2"
    if [[ $3 == old ]]; then
        write_crlf "$file" "map $2" "${OLD_MAP_TAIL[@]}"
    else
        write_crlf "$file" "map $2" "format 5" "ship 1" "end"
    fi
}

# Runs one driver script, read from standard input, in a single Wine process. Screenshots
# it asks for are taken here, of the whole X screen. The transcript is left in TRANSCRIPT.
drive() {
    drives=$((drives + 1))
    local script=$WORK/script-$drives.txt
    TRANSCRIPT=$WORK/transcript-$drives.txt
    {
        printf 'shots %s\n' "$(z_path "$WORK/sync")"
        cat
    } >"$script"
    echo "== driver script $drives" >>"$WINE_LOG"
    native_arguments "$script" >/dev/null && native_before
    timeout -k 10 "$E2E_DRIVE_TIMEOUT" wine "$E2E_DRIVER" "$(z_path "$script")" \
        >"$TRANSCRIPT" 2>>"$WINE_LOG" &
    local pid=$! ready name status=0
    # The driver asks for a picture with NAME.ready and waits for NAME.done.
    while kill -0 "$pid" 2>/dev/null; do
        for ready in "$WORK"/sync/*.ready; do
            [[ -e $ready ]] || continue
            name=$(basename "$ready" .ready)
            take_screenshot "$name" || fail "screenshot $name"
            rm -f "$ready"
            touch "$WORK/sync/$name.done"
        done
        sleep 0.05
    done
    wait "$pid" || status=$?
    if ((status != 0)) || ! grep -qx done "$TRANSCRIPT"; then
        fail "driver script $drives ended with status $status; its last lines:"
        tail -n 5 "$TRANSCRIPT" | sed 's/^/    /' >&2
    fi
    native_after "$script"
}

# The picture goes to the scenario's folder and then, whole, to the screenshots folder.
take_screenshot() {
    local shot=$WORK/$1.png
    timeout 60 import -window root "$shot" 2>>"$WINE_LOG" || return 1
    cp "$shot" "$WORK/shot.tmp"
    mv -f "$WORK/shot.tmp" "$SHOTS/$SCENARIO-$1.png"
}

# expect LINE...: each line is in the last transcript, whole.
expect() {
    local line
    for line in "$@"; do
        grep -Fxq -- "$line" "$TRANSCRIPT" || {
            # The lines on the same thing: the first three words, else the first two.
            local words got
            read -ra words <<<"$line"
            got=$(grep -F -- "${words[*]:0:3} " "$TRANSCRIPT" ||
                grep -F -- "${words[*]:0:2} " "$TRANSCRIPT" || true)
            fail "expected \"$line\"; got: $(head -3 <<<"$got" | tr '\n' '|')"
        }
    done
}

expect_none() {
    local line
    for line in "$@"; do
        if grep -Fxq -- "$line" "$TRANSCRIPT"; then
            fail "unexpected \"$line\""
        fi
    done
}

# fact KEY: the value of the first transcript line "KEY value".
fact() {
    local key="$1 "
    awk -v key="$key" 'index($0, key) == 1 { print substr($0, length(key) + 1); exit }' \
        "$TRANSCRIPT"
}

# A control's rectangle in twips as the design gives it, in pixels at 96 DPI.
expect_rect() {
    local tag=$1 id=$2
    expect "$tag $id rect $(($3 / 15)) $(($4 / 15)) $(($5 / 15)) $(($6 / 15))"
}

# Only the position: for controls whose size follows their text or their font.
expect_position() {
    local tag=$1 id=$2 rect
    rect=$(fact "$tag $id rect")
    [[ $(cut -d' ' -f1-2 <<<"$rect") == "$(($3 / 15)) $(($4 / 15))" ]] ||
        fail "control $id at \"$rect\", expected left $(($3 / 15)) top $(($4 / 15))"
}

expect_file() {
    local file=$1
    shift
    if [[ ! -f $file ]]; then
        fail "missing file $file"
    elif ! cmp -s <(crlf "$@") "$file"; then
        fail "file $file holds: $(tr '\r\n' '<>' <"$file")"
    fi
}

expect_absent() {
    local file
    for file in "$@"; do
        [[ ! -e $file ]] || fail "file should not exist: $file"
    done
}

# No map below FOLDER (Unix path) was renamed or rewritten: only .galaxy files remain.
expect_untouched_folder() {
    local found
    found=$(find "$1" -type f \( -name '*.galold' -o -name '*.galfix' -o -name '*.galtst' \))
    [[ -z $found ]] || fail "kept copies where nothing should change: $found"
}

# expect_buttons TAG S1 ... S7: enabled states (1 or 0) of Command1 to Command7.
expect_buttons() {
    local tag=$1 n=1 state
    shift
    for state in "$@"; do
        expect "$tag $((100 + n)) enabled $state"
        n=$((n + 1))
    done
}

# expect_text TAG ID LINE...: a multi-line box holds exactly these lines, each with CR LF.
expect_text() {
    local tag=$1 id=$2
    shift 2
    expect "$tag $id text $(crlf_escaped "$@")"
}

# The information labels, from the environment the driver reported under tag e (the program
# inherits the same one) and the Windows short name.
expect_info_labels() {
    local tag=$1 short=$2
    expect "$tag 211 text $(fact "e PROCESSOR_ARCHITECTURE") type" \
        "$tag 212 text $(fact "e PROCESSOR_IDENTIFIER") ID" \
        "$tag 213 text $(fact "e PROCESSOR_LEVEL") Level" \
        "$tag 214 text $(fact "e PROCESSOR_REVISION") revision" \
        "$tag 215 text $short" \
        "$tag 216 text  64 bit" \
        "$tag 217 text $(fact "e NUMBER_OF_PROCESSORS") cores" \
        "$tag 218 text $(fact "e OS") O.S."
}

# Driver lines that report the environment and check that the prefix gives the user folders
# the setup used.
ENV_LINES='env e PROCESSOR_ARCHITECTURE PROCESSOR_IDENTIFIER PROCESSOR_LEVEL PROCESSOR_REVISION NUMBER_OF_PROCESSORS OS
folders f'
expect_prefix_folders() {
    expect "f localappdata $LOCALAPPDATA_WIN" "f documents $DOCUMENTS_WIN"
}

# The folder list's current folder (its selected item) under a tag.
expect_current_folder() {
    local tag=$1 selected
    selected=$(fact "$tag 402 selected")
    expect "$tag 402 item ${selected:-none} $2"
}
