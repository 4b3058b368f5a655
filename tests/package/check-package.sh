#!/usr/bin/env bash
# Builds one player package of this build with cpack and checks what it holds: the ZIP for
# Windows has both programs, the Linux tar.gz the 64-bit galemend3.exe, the native galemend
# and README.txt; both have the data files and the guide, in a folder named as the package.
# The Linux galemend must run on glibc 2.31 and later with nothing installed: an x86-64 ELF
# program that needs no libstdc++ or libgcc_s and no glibc symbol version above 2.31, which,
# unpacked, answers --help and reports a wrong command line (a C++ exception thrown and caught).
# Usage: check-package.sh BUILD_DIR SOURCE_DIR ZIP|TGZ
set -euo pipefail
build=$1
source=$2
generator=$3
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

(cd "$build" && cpack -G "$generator" -B "$out" >/dev/null)
package=$(find "$out" -maxdepth 1 -name 'galemend-*.zip' -o -maxdepth 1 -name 'galemend-*.tar.gz')
echo "package: ${package##*/}"

status=0
python3 - "$package" "$source" <<'PY' || status=1
import os, stat, struct, sys, tarfile, zipfile
path, source = sys.argv[1], sys.argv[2]
data = set(os.listdir(os.path.join(source, "demo", "data")))
problems = []
if path.endswith(".zip"):
    archive = zipfile.ZipFile(path)
    top = os.path.basename(path)[: -len(".zip")] + "/"
    entries = {i.filename: i for i in archive.infolist() if not i.is_dir()}
    expected = {"galemend3.exe", "galemend2.exe", "galemend-guide.txt"} | data
    read = lambda name: archive.read(entries[name])
    mode = lambda name: entries[name].external_attr >> 16
else:
    archive = tarfile.open(path)
    top = os.path.basename(path)[: -len(".tar.gz")] + "/"
    entries = {m.name: m for m in archive.getmembers() if m.isfile()}
    expected = {"galemend3.exe", "galemend", "README.txt", "galemend-guide.txt"} | data
    read = lambda name: archive.extractfile(entries[name]).read()
    mode = lambda name: entries[name].mode
    if top + "galemend" in entries:
        elf = read(top + "galemend")
        if not mode(top + "galemend") & stat.S_IXUSR:
            problems.append("galemend is not executable")
        # ELF, 64-bit, little-endian, machine x86-64; a program (EXEC), or a position-
        # independent one (DYN with a program interpreter), not a library.
        if elf[:6] != b"\x7fELF\x02\x01" or struct.unpack_from("<H", elf, 18)[0] != 62:
            problems.append("galemend is not an x86-64 ELF file")
        else:
            kind, = struct.unpack_from("<H", elf, 16)
            phoff, = struct.unpack_from("<Q", elf, 32)
            size, count = struct.unpack_from("<HH", elf, 54)
            types = [struct.unpack_from("<I", elf, phoff + i * size)[0] for i in range(count)]
            if not (kind == 2 or (kind == 3 and 3 in types)):
                problems.append("galemend is not an executable program")
    # Proton and Wine here run the 64-bit build: its PE header names machine x86-64.
    if top + "galemend3.exe" in entries:
        exe = read(top + "galemend3.exe")
        pe = struct.unpack_from("<I", exe, 0x3C)[0]
        if exe[pe : pe + 4] != b"PE\0\0" or struct.unpack_from("<H", exe, pe + 4)[0] != 0x8664:
            problems.append("galemend3.exe is not the 64-bit build")
found = {n[len(top):] for n in entries if n.startswith(top)}
problems += ["missing: " + n for n in sorted(expected - found)]
problems += ["unexpected: " + n for n in sorted(set(entries) - {top + n for n in expected})]
for problem in problems:
    print(problem)
sys.exit(1 if problems else 0)
PY

program=$out/unpacked/$(basename "$package" .tar.gz)/galemend
if [ "$generator" = TGZ ] && mkdir "$out/unpacked" && tar -xzf "$package" -C "$out/unpacked" &&
    [ -f "$program" ]; then
    # A program linked with the C++ runtime of the build machine fails to start where that
    # runtime is older or missing, as on SteamOS.
    needed=$(readelf -d --wide "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
    for library in $needed; do
        case $library in
        libstdc++.so* | libgcc_s.so*)
            echo "galemend needs $library"
            status=1
            ;;
        esac
    done
    # Every glibc symbol version it needs must be in glibc 2.31 (Debian 11, SteamOS 3).
    newer=$(readelf -V --wide "$program" | sed -n '/^Version needs section/,/^$/p' |
        grep -o 'GLIBC_[0-9.]*' | sort -uV | awk -F'[_.]' '$2 > 2 || ($2 == 2 && $3 > 31)')
    for version in $newer; do
        symbols=$(objdump -T --wide "$program" |
            awk -v v="$version" 'NF > 1 { gsub(/[()]/, "", $(NF - 1)) } NF > 1 && $(NF - 1) == v { print $NF }')
        echo "galemend needs $version for:" $symbols
        status=1
    done
    if ! (cd "${program%/*}" && ./galemend --help >/dev/null); then
        echo "galemend --help failed"
        status=1
    fi
    # An unknown command line is reported through an exception; a runtime that cannot unwind
    # its own frames ends the program instead (SIGABRT).
    code=0
    (cd "${program%/*}" && ./galemend --prefix 2>/dev/null) || code=$?
    if [ "$code" -ne 2 ]; then
        echo "galemend --prefix (no folder) ended with status $code, not 2"
        status=1
    fi
    # With the glibc 2.31 that scripts/install-deps unpacks, the same runs on that glibc itself.
    sysroot=$source/build/sysroot-glibc-2.31
    if [ -f "$sysroot/.complete" ]; then
        glibc_2_31=("$sysroot/lib64/ld-linux-x86-64.so.2"
            --library-path "$sysroot/lib/x86_64-linux-gnu")
        if ! "${glibc_2_31[@]}" "$program" --help >/dev/null; then
            echo "galemend --help failed on glibc 2.31"
            status=1
        fi
        code=0
        "${glibc_2_31[@]}" "$program" --prefix 2>/dev/null || code=$?
        if [ "$code" -ne 2 ]; then
            echo "galemend --prefix ended with status $code on glibc 2.31, not 2"
            status=1
        fi
    fi
fi
if [ "$status" -ne 0 ]; then
    exit 1
fi
echo "the package holds what it should"
