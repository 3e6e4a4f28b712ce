#!/usr/bin/env bash
# The Windows tests, under Wine, of what windows.sh built:
#  1. the staged files: every DLL they import is shipped or is Windows' own, and every DLL shipped
#     is imported by something;
#  2. the Qt Test suites of the Windows build, through CTest, each under Wine (offscreen);
#  3. the bench with the Windows platform in a virtual display at 100 % and 150 % (Wine's DPI
#     setting), its picture compared with the Debian build's at the same scale;
#  4. the installer run silently: the program starts from where it was installed and opens a
#     document through the shell and the instruction in Notepad; the uninstaller leaves nothing.
# Run by windows.sh; on its own after it: KORVEL_WIN_OUT=build-windows scripts/windows/tests.sh.
set -euo pipefail
cd "$(dirname "$0")/../.."
ROOT=$PWD
OUT=${KORVEL_WIN_OUT:-$ROOT/build-windows}
VERSION=${VERSION:-$(sed -n 's/^project(korvel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)}
RUN=$ROOT/scripts/windows/wine-run.sh
export WINEPREFIX=$OUT/wine
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml,winemenubuilder.exe=d
# Wine sees no font of the build machine (see make_prefix), in any run: one run that saw them
# would register them in the prefix for good.
export FONTCONFIG_FILE=$OUT/no-host-fonts.conf
echo '<fontconfig></fontconfig>' >"$FONTCONFIG_FILE"
# Wine's output is the programs' own; the locale the suites expect unless a test sets its own.
export LC_ALL=C.UTF-8

failures=()
passed=0
result() { # result <name> <status>
    if [ "$2" = 0 ]; then
        passed=$((passed + 1))
        echo "ПРОЙДЕН: $1"
    else
        failures+=("$1")
        echo "НЕ ПРОЙДЕН: $1"
    fi
}

# A virtual display for everything Wine shows, big enough for the bench at 150 %.
xvfb_pid=
start_display() {
    local n
    for n in $(seq 90 130); do
        [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
        Xvfb :$n -screen 0 2560x1600x24 -nolisten tcp >/dev/null 2>&1 &
        xvfb_pid=$!
        export DISPLAY=:$n
        for _ in $(seq 50); do
            [ -e /tmp/.X11-unix/X$n ] && return 0
            sleep 0.1
        done
        kill "$xvfb_pid" 2>/dev/null || true
    done
    echo "Не удалось запустить Xvfb" >&2
    exit 1
}
stop_all() {
    wineserver -k 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap stop_all EXIT

# Wine's DPI: 96 is 100 %, 144 is 150 %. Takes effect for programs started after the server ends.
set_dpi() {
    wineserver -w
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null
    wine reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
        /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null
    wineserver -w
}

# A fresh prefix each run, so that nothing of an earlier run (an installation) is counted.
# Its fonts are its own: Wine's, and DejaVu installed into C:\windows\Fonts, the faces Debian's
# desktop and its offscreen tests use for ordinary text, so that the suites measure text as on
# Debian (wine-run.sh points Qt's offscreen platform at that folder). Wine does not see the build
# machine's fonts (wine-run.sh hides them): no Liberation face is in the prefix, as on a Windows
# machine, and the bench must bring the ones its artwork names.
make_prefix() {
    rm -rf "$WINEPREFIX"
    "$RUN" wineboot -i >/dev/null 2>&1
    wineserver -w
    local fonts=$WINEPREFIX/drive_c/windows/Fonts
    mkdir -p "$fonts"
    cp /usr/share/fonts/truetype/dejavu/DejaVu{Sans,Sans-Bold,Serif,Serif-Bold,SansMono,SansMono-Bold}.ttf "$fonts/"
    wineserver -w
}

# 1. What the program imports against what it ships.
check_dlls() {
    local stage=$OUT/stage system=$WINEPREFIX/drive_c/windows/system32 file dll status=0
    declare -A imported=()
    while IFS= read -r file; do
        for dll in $(x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/^\s*DLL Name: //p'); do
            imported[${dll,,}]=1
            # API sets (api-ms-win-…) are names the Windows loader resolves, not files.
            [[ ${dll,,} == api-ms-win-* ]] && continue
            if [ -z "$(find "$stage" -maxdepth 1 -iname "$dll")" ] &&
                [ -z "$(find "$system" -maxdepth 1 -iname "$dll")" ]; then
                echo "  $(basename "$file") импортирует $dll: его нет ни в поставке, ни в Windows"
                status=1
            fi
        done
    done < <(find "$stage" -iname '*.exe' -o -iname '*.dll')
    # Plugins are loaded by name, not imported; every other DLL must be asked for.
    while IFS= read -r file; do
        if [ -z "${imported[$(basename "${file,,}")]:-}" ]; then
            echo "  $(basename "$file") не нужен ни одной программе или библиотеке поставки"
            status=1
        fi
    done < <(find "$stage" -maxdepth 1 -iname '*.dll')
    return $status
}

# 2. The suites through CTest, each under Wine.
run_suites() {
    (cd "$OUT/win" && ctest --output-on-failure --timeout 900 -j2 2>&1 | tee "$OUT/ctest-wine.log")
}

# 3. The picture of the bench under Wine against the Debian build's, at one scale.
debian_picture() { # <folder> <scale> <the Windows capture>
    mkdir -p "$1"
    # The build machine's own fonts, as on Debian: the hiding is for Wine only.
    env -u FONTCONFIG_FILE QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR="$2" \
        "$OUT/host/bin/bench_picture" capture "$1" "$3"
}
compare_pictures() { # <percent>
    local percent=$1 scale dpi
    scale=$(awk -v p="$percent" 'BEGIN { print p / 100 }')
    dpi=$((96 * percent / 100))
    local dir=$OUT/pictures/$percent
    rm -rf "$dir"
    mkdir -p "$dir/windows"
    set_dpi "$dpi"
    # The Windows platform, as the program runs there, in the virtual display.
    "$RUN" "$OUT/win/bin/bench_picture.exe" capture "$(winepath -w "$dir/windows")" || return 1
    set_dpi 96
    # The Debian build with the bench where the Windows capture has it in the window.
    debian_picture "$dir/debian" "$scale" "$dir/windows" || return 1
    "$OUT/host/bin/bench_picture" -platform offscreen compare "$dir/windows" "$dir/debian" \
        >"$dir/comparison.txt"
    local status=$?
    grep -v '^ok' "$dir/comparison.txt" || true
    return $status
}

# 4. The installer, the installed program, the uninstaller.
program_files=
start_menu=
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Korvel'
installed_nothing() {
    local status=0
    if [ -e "$program_files/Korvel" ]; then
        echo "  осталась папка $program_files/Korvel: $(find "$program_files/Korvel" | head -5 | tr '\n' ' ')"
        status=1
    fi
    if find "$start_menu" "$WINEPREFIX/drive_c/users/Public/Desktop" -iname '*Корвел*' 2>/dev/null | grep -q .; then
        echo "  остались ярлыки: $(find "$start_menu" "$WINEPREFIX/drive_c/users/Public/Desktop" -iname '*Корвел*')"
        status=1
    fi
    if wine reg query "$uninstall_key" /reg:64 >/dev/null 2>&1; then
        echo "  остался ключ реестра $uninstall_key"
        status=1
    fi
    return $status
}

# Waits up to $2 seconds for a window whose title matches $1; prints its id.
wait_window() {
    local id
    for _ in $(seq $(($2 * 4))); do
        id=$(xdotool search --name "$1" 2>/dev/null | head -1) && [ -n "$id" ] && {
            echo "$id"
            return 0
        }
        sleep 0.25
    done
    return 1
}

# Runs the first command of a menu of the bench at 100 %: a click on the menu's title, `x` pixels
# from the window's left, then on the first item of the menu that opens. Wine takes the virtual
# display's pointer as a user's; keys sent to a window do not always reach it.
menu_command() {
    local win=$1 x=$2 popup X Y WIDTH HEIGHT SCREEN
    eval "$(xdotool getwindowgeometry --shell "$win")"
    xdotool mousemove $((X + x)) $((Y + 9)) click 1
    popup=$(wait_window '^korvel$' 10) || return 0
    eval "$(xdotool getwindowgeometry --shell "$popup")"
    xdotool mousemove $((X + 30)) $((Y + 12)) click 1
}

installer() {
    local setup=$OUT/korvel-$VERSION-setup.exe asked=$WINEPREFIX/drive_c/asked.txt win
    program_files=$WINEPREFIX/drive_c/Program\ Files
    start_menu=$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs
    # A stand-in viewer for PDF files: the shell's association runs it, and it writes down the
    # file it was given.
    wine reg add 'HKCR\.pdf' /ve /d korveltest.pdf /f >/dev/null
    wine reg add 'HKCR\korveltest.pdf\shell\open\command' /ve \
        /d 'C:\windows\system32\cmd.exe /c echo %1> C:\asked.txt' /f >/dev/null
    wine "$setup" /S
    wineserver -w
    local status=0
    for f in korvel.exe spravka1.pdf instruction.txt uninstall.exe platforms/qwindows.dll; do
        [ -f "$program_files/Korvel/$f" ] || { echo "  не установлен $f"; status=1; }
    done
    [ -f "$start_menu/Мост Корвела.lnk" ] || { echo "  нет ярлыка в меню «Пуск»"; status=1; }
    [ -f "$WINEPREFIX/drive_c/users/Public/Desktop/Мост Корвела.lnk" ] ||
        { echo "  нет ярлыка на рабочем столе"; status=1; }
    wine reg query "$uninstall_key" /reg:64 /v UninstallString >/dev/null 2>&1 ||
        { echo "  нет записи в «Программах и компонентах»"; status=1; }

    # The installed program, started from a folder without documents, as the Start menu starts it
    # (only Windows' own libraries on its path).
    rm -f "$asked"
    (cd "$WINEPREFIX/drive_c/users" && wine 'C:\Program Files\Korvel\korvel.exe' >/dev/null 2>&1 &)
    if ! win=$(wait_window 'Моделирование моста Корвела' 60); then
        echo "  установленная программа не открыла окно"
        status=1
    else
        # Файл → Справка: the PDF through the shell's association, from the program's folder.
        menu_command "$win" 20
        for _ in $(seq 60); do [ -s "$asked" ] && break; sleep 0.5; done
        if ! grep -qi 'Program Files\\Korvel\\spravka1.pdf' "$asked" 2>/dev/null; then
            echo "  документ не открылся через оболочку (просмотрщику передано: $(cat "$asked" 2>/dev/null))"
            status=1
        fi
        # Помощь → Инструкция: Notepad with instruction.txt from the program's folder.
        menu_command "$win" 68
        if ! wait_window 'instruction.txt' 30 >/dev/null; then
            echo "  Блокнот не открыл instruction.txt"
            status=1
        fi
        # Windows' session end (log-off, shutdown) reaches the bench, which asks its question.
        # (wineboot then ends every program itself, whatever the answer.)
        wine wineboot --end-session >/dev/null 2>&1 &
        if ! wait_window 'На Выход' 30 >/dev/null; then
            echo "  при завершении сеанса Windows стенд не задал вопрос"
            status=1
        fi
    fi
    wineserver -k
    wineserver -w
    # The uninstaller leaves nothing behind.
    wine "$program_files/Korvel/uninstall.exe" /S
    sleep 2
    wineserver -w
    installed_nothing || status=1
    return $status
}

echo "Тесты Windows под Wine"
start_display
make_prefix
set +e
check_dlls; result "библиотеки поставки" $?
run_suites; result "наборы Qt Test под Wine (ctest)" $?
for percent in 100 150; do
    compare_pictures "$percent"; result "картинка стенда под Wine при $percent % против Debian" $?
done
installer; result "установщик, установленная программа и удаление" $?
set -e
echo "Тесты Windows: пройдено $passed из $((passed + ${#failures[@]}))."
if [ ${#failures[@]} -gt 0 ]; then
    printf 'Не пройдены: %s\n' "${failures[@]}" >&2
    exit 1
fi
