#!/usr/bin/env bash
# Installs what is missing, builds the bench without its tests and makes its Debian package,
# build-deb/korvel_<version>_<arch>.deb. Arguments go to CMake as extra options.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
ensure_packages dpkg-dev
rm -f build-deb/korvel_*.deb
configure build-deb -DBUILD_TESTING=OFF "$@"
cmake --build build-deb
(cd build-deb && cpack -G DEB >/dev/null)
ls build-deb/korvel_*.deb
