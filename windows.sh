#!/usr/bin/env bash
# Builds the bench for 64-bit Windows on Debian 12 and proves it under Wine: installs what is
# missing, builds Qt 6.4.2 for Windows once into a cache outside the tree, cross-builds the bench
# with its build-time tools built and run natively, makes the Russian installer and the zip in
# build-windows/, then runs the Windows tests (scripts/windows/tests.sh).
#
#   ./windows.sh [--qt-sources DIR] [--no-tests]
#
#   --qt-sources DIR  the folder holding the Qt sources: qt6-base_6.4.2+dfsg.orig.tar.xz (Debian's)
#                     or qtbase-everywhere-src-6.4.2.tar.xz, and qtsvg-everywhere-src-6.4.2.tar.xz;
#                     each checked against its SHA-256 (a SHA256SUMS file beside them names the
#                     sums of archives the script does not know). By default qtbase comes from
#                     Debian's source package and qtsvg from ../shared/third-party.
#   --no-tests        stops after the installer and the zip.
#
# The cache: $KORVEL_WINDOWS_CACHE, by default ~/.cache/korvel-windows (Qt in qt-6.4.2/).
set -euo pipefail
cd "$(dirname "$0")"
ROOT=$PWD

QT_SOURCES=
run_tests=1
while [ $# -gt 0 ]; do
    case $1 in
        --qt-sources) QT_SOURCES=$(realpath "$2"); shift 2 ;;
        --qt-sources=*) QT_SOURCES=$(realpath "${1#*=}"); shift ;;
        --no-tests) run_tests=0; shift ;;
        *) echo "Неизвестный параметр: $1 (см. начало windows.sh)" >&2; exit 2 ;;
    esac
done
KORVEL_WIN_CACHE=${KORVEL_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/korvel-windows}

. scripts/deps.sh
# The cross compiler, the installer maker, Wine with a virtual display for the tests, the icon
# maker and the archiver; dpkg-dev for apt-get source, xdotool to drive the installed bench.
ensure_packages g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix nsis wine wine64 xvfb xauth \
    xdotool icoutils zip dpkg-dev patch fonts-dejavu-core

. scripts/windows/qt.sh
ensure_windows_qt
QT_PREFIX=$(qt_prefix)

OUT=$ROOT/build-windows
# The build-time tools, native: they draw the artwork and lay out the documents as on Debian; and
# the Debian side of the picture comparison.
configure "$OUT/host" -DKORVEL_CHECK_PACKAGE=OFF
cmake --build "$OUT/host" --target prerender docgen bench_picture

# The bench and its Qt Test suites for Windows; CTest runs the suites through Wine.
cmake -S . -B "$OUT/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$QT_PREFIX/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DKORVEL_HOST_BUILD="$OUT/host" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$ROOT/scripts/windows/wine-run.sh" >/dev/null
cmake --build "$OUT/win"

# The files the program needs, in the folder the installer and the zip carry.
. scripts/windows/stage.sh
stage_program "$OUT/win" "$OUT/stage" "$QT_PREFIX"

version=$(sed -n 's/^project(korvel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
zip_file=$OUT/korvel-$version-win64.zip
rm -f "$zip_file"
(cd "$OUT/stage" && zip -qr9 "$zip_file" .)
make_installer "$OUT/stage" "$OUT/korvel-$version-setup.exe" "$version"
echo "Готово: $OUT/korvel-$version-setup.exe ($(du -h "$OUT/korvel-$version-setup.exe" | cut -f1)), $zip_file"

if [ "$run_tests" = 1 ]; then
    KORVEL_WIN_OUT=$OUT QT_PREFIX=$QT_PREFIX VERSION=$version scripts/windows/tests.sh
fi
