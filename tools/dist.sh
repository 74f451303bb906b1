#!/bin/bash
# make dist: dist/kwibra-VERSION.zip, what a user downloads: the stripped
# 32-bit kwibra.exe, its help text kwibra.txt and readme.txt (both Shift-JIS
# with CR LF line ends). VERSION is the FileVersion of the VERSIONINFO
# resource. tools/dist.sh [win32|win64] [out-dir]: the 64-bit build of the
# same step serves the tests where 32-bit programs cannot run. Every step
# that fails fails the whole: a zip without one of its files is no release.
set -euo pipefail
cd "$(dirname "$0")/.."
arch=${1:-win32}
out=${2:-dist}
toolchain=$([[ $arch == win32 ]] && echo mingw-i686.cmake || echo mingw-x86_64.cmake)
strip=$([[ $arch == win32 ]] && echo i686-w64-mingw32-strip || echo x86_64-w64-mingw32-strip)
tree=build/$arch
[[ -f $tree/CMakeCache.txt ]] ||
  cmake -S . -B "$tree" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/$toolchain" >/dev/null
cmake --build "$tree" -j "$(nproc)" --target kwibra >/dev/null

version=$(sed -n 's/.*VALUE "FileVersion", "\([0-9.]*\)".*/\1/p' resources/kwibra.rc)
[[ -n $version ]] || { echo "dist: no FileVersion in resources/kwibra.rc" >&2; exit 1; }
staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT
"$strip" -o "$staging/kwibra.exe" "$tree/app/exe/kwibra.exe"
cp resources/kwibra.txt "$staging/kwibra.txt"
sed 's/$/\r/' resources/readme.txt | iconv -f UTF-8 -t CP932 >"$staging/readme.txt"
mkdir -p "$out"
zip="$(cd "$out" && pwd)/kwibra-$version.zip"
rm -f "$zip"
# Without -MM, zip leaves out a file it cannot find and still succeeds.
(cd "$staging" && zip -q -X -MM "$zip" kwibra.exe kwibra.txt readme.txt)
echo "dist: $zip"
