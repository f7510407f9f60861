#!/usr/bin/env bash
# Collects the shipped files from the build trees into dist/ and packs Setup.exe: the Setup
# program followed by its payload, in the order the uninstaller relies on ("Uninstall.lis" first).
set -euo pipefail
cd "$(dirname "$0")/.."

dist=dist
rm -rf "$dist"
mkdir -p "$dist"

copy() { cp "$1" "$dist/"; }
copy build/win32/extension/Quillo32.dll
copy build/win64/extension/Quillo64.dll
copy build/win32/options/Quillo.exe
copy build/win32/setup/CheckFolderAccess.exe
copy build/host/manual/Quillo.chm

payload=(Uninstall.lis Quillo.chm Setup.lis Quillo.exe Quillo32.dll Quillo64.dll CheckFolderAccess.exe)
copy setup/scripts/Setup.lis
copy setup/scripts/Uninstall.lis
build/host/tools/pack_payload build/win32/setup/Setup.exe "$dist/Setup.exe" "${payload[@]/#/$dist/}"
echo "dist/: $(cd "$dist" && ls | tr '\n' ' ')"
