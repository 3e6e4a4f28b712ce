# Builds Qt 6.4.2 for 64-bit Windows (qtbase and qtsvg, only the parts the bench uses) once, into
# a cache outside the work tree; later runs find the finished prefix and build nothing.
# Sourced by windows.sh; expects KORVEL_WIN_CACHE, QT_SOURCES (a folder or empty) and ROOT.

QT_VERSION=6.4.2
# Known sources and their SHA-256: Debian's orig tarball of qt6-base 6.4.2+dfsg (the code of the
# qt6-base-dev that the Linux build uses), Qt's own release archive of qtbase, and the qtsvg
# archive kept beside the project in ../shared/third-party (see its README).
declare -A QT_SHA256=(
    [qt6-base_6.4.2+dfsg.orig.tar.xz]=4f14b89a9463a540fd84a6718b8519a2297119b454ef547721015a9e9019ae9e
    [qtsvg-everywhere-src-6.4.2.tar.xz]=522dad4b3cf6d01d0c00e414b0df9691e0a96b78d019d4e8a092f1892721a271
)
# Debian's fixes of Qt's own bugs (CVE fixes backported from 6.4.3 and 6.5.1) that the Linux
# build's Qt carries too; Debian's packaging patches (multiarch cross-building, the system zstd,
# build paths) are for its own packages and stay out.
QT_DEBIAN_FIXES=(cve-2023-32762.diff cve-2023-32763.diff cve-2023-33285.diff
                 upstream_Add-HPPA-detection.patch upstream_Add-M68k-detection.patch
                 cve-2023-24607.patch)

qt_prefix() { echo "$KORVEL_WIN_CACHE/qt-$QT_VERSION"; }

# Prints the path of a tarball after checking its SHA-256: the one known above, or the one a
# SHA256SUMS file beside it gives (as for Qt's release archives fetched from elsewhere).
checked_tarball() {
    local file=$1 name want got
    name=$(basename "$file")
    want=${QT_SHA256[$name]:-}
    if [ -z "$want" ] && [ -f "$(dirname "$file")/SHA256SUMS" ]; then
        want=$(awk -v n="$name" '$2 == n || $2 == "*" n { print $1 }' "$(dirname "$file")/SHA256SUMS")
    fi
    [ -n "$want" ] || { echo "Не знаю SHA-256 архива $file (нет и SHA256SUMS рядом)" >&2; return 1; }
    got=$(sha256sum "$file" | cut -d' ' -f1)
    if [ "$got" != "$want" ]; then
        echo "SHA-256 архива $file не сходится: $got, а должен быть $want" >&2
        return 1
    fi
    echo "$file"
}

# The qtbase tarball: from QT_SOURCES when given (Debian's orig tarball or Qt's release archive),
# else Debian's source package fetched with apt-get source into the cache.
qtbase_tarball() {
    local dir=${QT_SOURCES:-$KORVEL_WIN_CACHE/src}
    local f
    for f in "$dir/qt6-base_6.4.2+dfsg.orig.tar.xz" "$dir/qtbase-everywhere-src-6.4.2.tar.xz"; do
        [ -f "$f" ] && { checked_tarball "$f"; return; }
    done
    if [ -n "$QT_SOURCES" ]; then
        echo "В $QT_SOURCES нет исходников qtbase 6.4.2" >&2
        return 1
    fi
    ensure_deb_src >&2
    mkdir -p "$dir"
    (cd "$dir" && apt-get source --download-only -qq qt6-base=6.4.2+dfsg-10 >&2)
    checked_tarball "$dir/qt6-base_6.4.2+dfsg.orig.tar.xz"
}

qtsvg_tarball() {
    local dir=${QT_SOURCES:-$ROOT/../shared/third-party}
    local f=$dir/qtsvg-everywhere-src-6.4.2.tar.xz
    [ -f "$f" ] || { echo "В $dir нет qtsvg-everywhere-src-6.4.2.tar.xz" >&2; return 1; }
    checked_tarball "$f"
}

# apt-get source needs a deb-src entry; Debian 12's default sources have none.
ensure_deb_src() {
    if apt-get source --print-uris -qq qt6-base=6.4.2+dfsg-10 >/dev/null 2>&1; then
        return 0
    fi
    echo "Добавляю источник исходников Debian (deb-src bookworm main)"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" tee /etc/apt/sources.list.d/korvel-bookworm-src.sources >/dev/null <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
    "${sudo[@]}" apt-get update -qq
}

# Unpacks a tarball into the cache's source folder, once.
unpacked() {
    local tarball=$1 into=$KORVEL_WIN_CACHE/src top
    top=$(tar tf "$tarball" | head -1 | cut -d/ -f1)
    if [ ! -f "$into/$top/.unpacked" ]; then
        rm -rf "${into:?}/$top"
        mkdir -p "$into"
        tar xf "$tarball" -C "$into"
        touch "$into/$top/.unpacked"
    fi
    echo "$into/$top"
}

# Applies Debian's fixes to a qtbase tree from Debian's orig tarball, once.
patched_qtbase() {
    local src=$1 debian=$KORVEL_WIN_CACHE/src/qt6-base_6.4.2+dfsg-10.debian.tar.xz p
    [ -f "$src/.patched" ] && return 0
    [ -f "$debian" ] || { echo "Исправления Debian не найдены ($debian): собираю qtbase без них"; return 0; }
    local tmp
    tmp=$(mktemp -d)
    tar xf "$debian" -C "$tmp"
    for p in "${QT_DEBIAN_FIXES[@]}"; do
        patch -d "$src" -p1 -s -N < "$tmp/debian/patches/$p"
    done
    rm -rf "$tmp"
    touch "$src/.patched"
}

# The stamp of a finished Qt: the sources and options it was built from.
qt_stamp() {
    printf '%s\n' "$QT_VERSION" "${QT_BASE_OPTIONS[@]}" | sha256sum | cut -d' ' -f1
}

QT_BASE_OPTIONS=(
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    # What the bench does not use.
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_tabletevent=OFF -DFEATURE_vulkan=OFF
    # No OpenGL: the bench paints with the raster engine. dynamicgl goes with it, as the Windows
    # platform plugin does not compile with it alone.
    -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF
    # Qt's own copies of its libraries, so the program needs no DLLs but Qt's and the compiler's.
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF
    -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_doubleconversion=OFF -DFEATURE_zstd=OFF
)

ensure_windows_qt() {
    local prefix stamp
    prefix=$(qt_prefix)
    stamp=$(qt_stamp)
    if [ -f "$prefix/.korvel-built" ] && [ "$(cat "$prefix/.korvel-built")" = "$stamp" ]; then
        echo "Qt $QT_VERSION для Windows уже собран: $prefix"
        return 0
    fi
    local base svg
    base=$(unpacked "$(qtbase_tarball)")
    svg=$(unpacked "$(qtsvg_tarball)")
    case $base in *qtbase-everywhere-src-6.4.2) patched_qtbase "$base" ;; esac

    # The toolchain file lives beside the prefix: Qt's own toolchain file refers to it by path.
    mkdir -p "$prefix"
    cp "$ROOT/packaging/windows/mingw-w64.cmake" "$KORVEL_WIN_CACHE/mingw-w64.cmake"
    local jobs=${KORVEL_JOBS:-$(nproc)}
    echo "Собираю qtbase $QT_VERSION для Windows (первый раз — около 45 минут на 2 ядрах)"
    cmake -S "$base" -B "$KORVEL_WIN_CACHE/build/qtbase" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$KORVEL_WIN_CACHE/mingw-w64.cmake" \
        -DCMAKE_INSTALL_PREFIX="$prefix" "${QT_BASE_OPTIONS[@]}" >"$KORVEL_WIN_CACHE/qtbase-configure.log"
    cmake --build "$KORVEL_WIN_CACHE/build/qtbase" --parallel "$jobs"
    cmake --install "$KORVEL_WIN_CACHE/build/qtbase" >/dev/null
    echo "Собираю qtsvg $QT_VERSION для Windows"
    "$prefix/bin/qt-cmake" -S "$svg" -B "$KORVEL_WIN_CACHE/build/qtsvg" -G Ninja \
        -DCMAKE_BUILD_TYPE=Release -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
        >"$KORVEL_WIN_CACHE/qtsvg-configure.log"
    cmake --build "$KORVEL_WIN_CACHE/build/qtsvg" --parallel "$jobs"
    cmake --install "$KORVEL_WIN_CACHE/build/qtsvg" >/dev/null
    echo "$stamp" >"$prefix/.korvel-built"
}
