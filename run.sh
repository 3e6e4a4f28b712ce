#!/usr/bin/env bash
# Installs what is missing, builds the bench in Release and starts it beside its documents.
set -euo pipefail
cd "$(dirname "$0")"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Нет графического дисплея (DISPLAY и WAYLAND_DISPLAY не заданы): стенд запускается только на рабочем столе." >&2
    exit 1
fi
. scripts/deps.sh
ensure_packages
configure build
# Only the program and its documents: the tests are built by ./test.sh.
cmake --build build --target korvel_app help_documents
cd build/bin
exec ./korvel
