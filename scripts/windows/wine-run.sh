#!/usr/bin/env bash
# Runs a program of the Windows build under Wine: in the prefix that tests.sh makes, with Qt for
# Windows and the compiler's run-time on its DLL path, Wine's own messages off. The exit status is
# the program's. CTest runs the Windows build's suites through it (CMAKE_CROSSCOMPILING_EMULATOR).
#   WINEPREFIX   the prefix (default: build-windows/wine beside this tree's root)
#   KORVEL_QT    Qt for Windows (default: the cache's, ~/.cache/korvel-windows/qt-6.4.2)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$root/build-windows/wine}
export WINEARCH=win64 WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer prompts, no menu entries written on the host.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml,winemenubuilder.exe=d}
qt=${KORVEL_QT:-${KORVEL_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/korvel-windows}/qt-6.4.2}
# Wine sees only the prefix's fonts and its own, not the build machine's (see tests.sh); Qt's
# offscreen platform, which reads font files itself, reads the prefix's.
# Any Wine run that sees them registers them in the prefix for good, so every run here hides them.
if [ -z "${FONTCONFIG_FILE:-}" ]; then
    export FONTCONFIG_FILE=$(dirname "$WINEPREFIX")/no-host-fonts.conf
    [ -f "$FONTCONFIG_FILE" ] || echo '<fontconfig></fontconfig>' >"$FONTCONFIG_FILE"
fi
export WINEQT_QPA_FONTDIR=${QT_QPA_FONTDIR:-'C:\windows\Fonts'}
# Wine keeps the build machine's QT_ variables from Windows programs and passes WINEQT_ ones as
# QT_: the tests' platform (offscreen), scale factor and font folder reach them that way.
while IFS='=' read -r name _; do
    [[ $name == QT_* ]] && export "WINE$name=${!name}"
done < <(env)
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
export WINEPATH="$(windows_path "$qt/bin");$(windows_path /usr/lib/gcc/x86_64-w64-mingw32/12-posix);$(windows_path /usr/x86_64-w64-mingw32/lib)"
# Qt Test on Windows writes its report to the debugger when the program has no console, as under
# Wine writing into a pipe: a suite writes it to a file, printed here once it has run.
if [[ $(basename "${1:-}") == tst_*.exe ]] && [[ " $* " != *" -o "* ]]; then
    report=$(mktemp --suffix=.txt)
    trap 'rm -f "$report"' EXIT
    status=0
    wine "$@" -o "$(windows_path "$report"),txt" || status=$?
    cat "$report"
    exit $status
fi
exec wine "$@"
