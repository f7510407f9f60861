#!/usr/bin/env bash
# Installs what building and testing Quillo needs on Debian 12: the MinGW-w64 cross compilers,
# zlib for MinGW and the host, Wine (64- and 32-bit), Xvfb, ImageMagick (screenshots, icons),
# icoutils, a font with CJK glyphs for the scenarios that draw such names, the CHM compiler and
# reader, GoogleTest and CMake, and clang 14 with libFuzzer (its runtime is in the compiler-rt
# package) for tools/fuzz.sh. Does nothing when everything is present.
set -euo pipefail

packages=(
  cmake make g++ googletest
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-i686
  binutils-mingw-w64-x86-64 libz-mingw-w64-dev
  wine wine64 wine32:i386
  zlib1g-dev
  xvfb xauth xdotool imagemagick icoutils fonts-wqy-microhei
  fp-utils libchm-bin
  clang-14 libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" \
  >/dev/null
