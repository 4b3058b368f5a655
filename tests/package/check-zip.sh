#!/usr/bin/env bash
# Builds the player ZIP of this build with cpack and checks what it holds.
# Usage: check-zip.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

(cd "$build" && cpack -G ZIP -B "$out" >/dev/null)
zip=$(ls "$out"/galemend-*.zip)
echo "package: ${zip##*/}"

python3 - "$zip" "$source" <<'PY'
import os, sys, zipfile
zip_path, source = sys.argv[1], sys.argv[2]
names = zipfile.ZipFile(zip_path).namelist()
top = os.path.basename(zip_path)[:-4] + "/"
expected = {"galemend3.exe", "galemend2.exe", "galemend-guide.txt"}
expected |= set(os.listdir(os.path.join(source, "demo", "data")))
found = {n[len(top):] for n in names if n.startswith(top) and not n.endswith("/")}
missing, extra = expected - found, found - expected
for name in sorted(missing):
    print("missing:", name)
for name in sorted(extra):
    print("unexpected:", name)
sys.exit(1 if missing or extra else 0)
PY
echo "the package holds both programs, the data files and the guide"
