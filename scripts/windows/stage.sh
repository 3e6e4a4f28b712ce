# The folder the installer and the zip carry, and the installer made from it. Sourced by windows.sh.

MINGW=x86_64-w64-mingw32
# Where the DLLs the program imports may come from besides Windows itself: Qt for Windows and the
# compiler's run-time (C++ library, GCC's unwinder, POSIX threads).
dll_sources() {
    echo "$1/bin" /usr/lib/gcc/$MINGW/12-posix /usr/$MINGW/lib
}

# The DLL names a Windows executable or DLL imports.
imports_of() {
    $MINGW-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p'
}

# stage_program <cross build> <stage> <Qt prefix>: the installed program and documents, the Qt
# plugins the bench uses (the Windows platform and its native style) and every DLL that any of
# them imports from Qt or the compiler, found by walking the import tables, nothing more.
stage_program() {
    local build=$1 stage=$2 qt=$3
    rm -rf "$stage"
    cmake --install "$build" --prefix "$stage" >/dev/null
    mkdir -p "$stage/platforms" "$stage/styles"
    cp "$qt/plugins/platforms/qwindows.dll" "$stage/platforms/"
    cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$stage/styles/"
    local queue=() file dll dir found
    mapfile -t queue < <(find "$stage" -iname '*.exe' -o -iname '*.dll')
    while [ ${#queue[@]} -gt 0 ]; do
        file=${queue[0]}
        queue=("${queue[@]:1}")
        for dll in $(imports_of "$file"); do
            [ -n "$(find "$stage" -maxdepth 1 -iname "$dll" | head -1)" ] && continue
            found=
            for dir in $(dll_sources "$qt"); do
                found=$(find "$dir" -maxdepth 1 -iname "$dll" | head -1)
                [ -n "$found" ] && break
            done
            # Not ours to ship: a DLL of Windows itself (tests.sh checks each one against a list).
            [ -z "$found" ] && continue
            cp "$found" "$stage/"
            queue+=("$stage/$(basename "$found")")
        done
    done
    find "$stage" \( -iname '*.exe' -o -iname '*.dll' \) -exec $MINGW-strip --strip-unneeded {} +
}

# make_installer <stage> <setup.exe> <version>: the NSIS installer of the staged files, with an
# uninstaller that removes exactly those files and the folders they made.
make_installer() {
    local stage=$1 out=$2 version=$3 work
    work=$(dirname "$out")/nsis
    rm -rf "$work"
    mkdir -p "$work"
    ln -s "$(realpath "$stage")" "$work/stage"
    cp packaging/windows/korvel.nsi "$work/"
    local dir rel
    {
        while IFS= read -r dir; do
            rel=${dir#"$stage"}
            echo "SetOutPath \"\$INSTDIR${rel//\//\\}\""
            find "$dir" -maxdepth 1 -type f -printf '%f\n' | sort | while IFS= read -r f; do
                echo "File \"stage$rel/$f\""
            done
        done < <(find "$stage" -type d | sort)
    } >"$work/install-files.nsh"
    {
        find "$stage" -type f | sort | while IFS= read -r f; do
            rel=${f#"$stage"}
            echo "Delete \"\$INSTDIR${rel//\//\\}\""
        done
        find "$stage" -mindepth 1 -type d | sort -r | while IFS= read -r dir; do
            rel=${dir#"$stage"}
            echo "RMDir \"\$INSTDIR${rel//\//\\}\""
        done
    } >"$work/uninstall-files.nsh"
    cp "$(dirname "$out")/win/packaging/windows/korvel.ico" "$work/korvel.ico"
    (cd "$work" && makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" \
        -DOUTFILE="$(basename "$out")" korvel.nsi)
    mv "$work/$(basename "$out")" "$out"
}
