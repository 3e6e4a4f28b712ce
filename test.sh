#!/usr/bin/env bash
# Installs what is missing, then builds the bench and runs every test through CTest twice: in
# Release, and with AddressSanitizer and UndefinedBehaviorSanitizer, where any report fails. The
# Release run also makes the Debian package and runs the desktop's and Debian's validators.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/deps.sh
ensure_packages "${test_packages[@]}"
ensure_locale
# The suite expects the C locale's decimal point unless a test sets its own locale.
export LC_ALL=C.UTF-8

configure_and_build build -DKORVEL_BUILD_BENCHMARKS=ON
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600 -j2)

# Leaks count too: none of the system libraries the tests load leaks on this platform.
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
sanitize="-fsanitize=address,undefined -fno-omit-frame-pointer"
# The package is made and checked from the Release build only.
configure_and_build build-asan "-DCMAKE_CXX_FLAGS=$sanitize -g1" "-DCMAKE_EXE_LINKER_FLAGS=$sanitize" \
    -DKORVEL_CHECK_PACKAGE=OFF
log=build-asan/ctest.log
(cd build-asan && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 900 -j2) 2>&1 | tee "$log"
# A report from a process whose exit status nobody checks still fails the run.
if grep -qE 'ERROR: (Address|Leak)Sanitizer|runtime error:' "$log"; then
    echo "Санитайзер сообщил об ошибке: см. $log" >&2
    exit 1
fi
