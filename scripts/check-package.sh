#!/usr/bin/env bash
# Makes the Debian package here, then, in a fresh minimal Debian 12 root: installs it with apt-get
# (which has to bring in every run-time dependency), checks the installed files, the libraries and
# the fonts, starts the bench offscreen and sees it still running after a few seconds, purges the
# package and checks that nothing of it is left. Needs root and the package mirror; arguments go
# to CMake for the package build.
set -euo pipefail

# The part that runs inside the fresh root, from the clone of this checkout.
inside() {
    local deb=$1
    export DEBIAN_FRONTEND=noninteractive LC_ALL=C.UTF-8
    fail() { echo "FAILED: $*"; exit 1; }
    leftovers() { find / -xdev \( -path /home/project -o -path /proc \) -prune -o -iname '*korvel*' -print; }

    echo "== apt-get install ./$deb"
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "./$deb" >/tmp/apt.log 2>&1 ||
        { cat /tmp/apt.log; fail "apt-get install"; }
    grep -c '^Setting up' /tmp/apt.log | sed 's/^/packages set up: /'
    dpkg-query -W -f='${Package} ${Version} ${Status}\n' korvel

    echo "== installed files"
    for f in /usr/bin/korvel /usr/share/applications/org.example.korvel.desktop \
             /usr/share/metainfo/org.example.korvel.metainfo.xml \
             /usr/share/icons/hicolor/scalable/apps/korvel.svg \
             /usr/share/icons/hicolor/48x48/apps/korvel.png /usr/share/man/man1/korvel.1.gz \
             /usr/share/man/ru/man1/korvel.1.gz /usr/share/doc/korvel/copyright \
             /usr/share/doc/korvel/changelog.gz; do
        [ -f "$f" ] || fail "missing $f"
    done
    for doc in spravka1.pdf galvanometr.pdf reochord.pdf Korvel.pdf uprav.pdf instruction.txt \
               instruction.pdf; do
        [ -s "/usr/share/korvel/$doc" ] || fail "missing /usr/share/korvel/$doc"
    done
    [ -L /usr/bin/korvel ] && fail "/usr/bin/korvel is a link"
    dpkg -L korvel | grep -c '^/' | sed 's/^/paths owned by the package: /'

    echo "== libraries, plugins and fonts"
    local qt=/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null || gcc -print-multiarch)/qt6/plugins
    for binary in /usr/bin/korvel "$qt/platforms/libqxcb.so" "$qt/platforms/libqoffscreen.so" \
                  "$qt/iconengines/libqsvgicon.so" "$qt/imageformats/libqsvg.so"; do
        [ -f "$binary" ] || fail "missing $binary"
        ldd "$binary" | grep 'not found' && fail "unresolved libraries in $binary"
        echo "resolved: $binary"
    done
    fc-match 'Liberation Serif:bold' | tee /tmp/font
    grep -q 'Liberation' /tmp/font || fail "no Liberation Serif"

    echo "== korvel, offscreen, in an empty working folder"
    mkdir -p /tmp/work /tmp/runtime && chmod 700 /tmp/runtime && cd /tmp/work
    XDG_RUNTIME_DIR=/tmp/runtime QT_QPA_PLATFORM=offscreen korvel >/tmp/bench.log 2>&1 &
    local pid=$!
    sleep 5
    kill -0 "$pid" 2>/dev/null || { cat /tmp/bench.log; fail "korvel ended within 5 seconds"; }
    echo "still running after 5 seconds (pid $pid)"
    kill "$pid"; wait "$pid" 2>/dev/null || true
    echo "its output: $(cat /tmp/bench.log)"
    grep -qiE 'cannot|could not|failed|error' /tmp/bench.log && fail "korvel complained"
    cd /home/project

    echo "== apt-get purge korvel"
    echo "paths named korvel before: $(leftovers | wc -l)"
    apt-get purge -y -qq korvel >/tmp/purge.log 2>&1 || { cat /tmp/purge.log; fail "apt-get purge"; }
    dpkg-query -W -f='${Status}\n' korvel 2>/dev/null | grep -q . && fail "dpkg still knows korvel"
    local left
    left=$(leftovers)
    [ -z "$left" ] || fail "left behind: $left"
    echo "nothing named korvel is left on the system"
    echo "PACKAGE CHECK PASSED"
}

if [ "${1:-}" = --inside ]; then
    inside "$2"
    exit
fi
cd "$(dirname "$0")/.."
scripts/package.sh "$@"
deb=$(ls build-deb/korvel_*.deb)
echo "== made $deb"
FRESH_COPY=$deb ${FRESH_DEBIAN:-../shared/tools/fresh-debian.sh} . \
    "bash scripts/check-package.sh --inside $(basename "$deb")"
