#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (windows offscreen).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
cd build
# Most tests spend their time waiting (timers, stalls, the local laboratory): the
# whole suite keeps a quarter of two cores busy, so three times as many tests run
# side by side as there are cores.
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600 -j"$(( $(nproc) * 3 ))" "$@"
