#!/usr/bin/env bash
# Installs what is missing, builds the bench and runs every test through CTest.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/deps.sh
ensure_packages
configure_and_build build
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600 -j2
