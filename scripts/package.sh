#!/usr/bin/env bash
# Builds Orvanet and its Debian package into build/package/ (prints the package's path).
#   sudo apt install ./build/package/orvanet_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target orvanet orvanet-tool orv_icons orv_docs
(cd build && cpack -G DEB -B "$PWD/package" >/dev/null)
ls -1 "$PWD"/build/package/orvanet_*.deb
