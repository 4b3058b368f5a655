#!/usr/bin/env bash
# Builds one player package of this build with cpack and checks what it holds: the ZIP for
# Windows has both programs, the Linux tar.gz the 64-bit galemend3.exe, the native galemend
# and the launcher galemend-wine (both executable); both have the data files and the guide, in a folder named as the package.
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

python3 - "$package" "$source" <<'PY'
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
    expected = {"galemend3.exe", "galemend", "galemend-wine", "galemend-guide.txt"} | data
    read = lambda name: archive.extractfile(entries[name]).read()
    mode = lambda name: entries[name].mode
    for name, start in (("galemend", b"\x7fELF"), ("galemend-wine", b"#!/bin/sh\n")):
        if top + name in entries and not mode(top + name) & stat.S_IXUSR:
            problems.append(name + " is not executable")
        if top + name in entries and not read(top + name).startswith(start):
            problems.append(name + " is not " + ("a Linux program" if name == "galemend" else "an sh script"))
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
echo "the package holds what it should"
