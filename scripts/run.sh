#!/usr/bin/env bash
# Installs what is missing, builds and starts Orvanet.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display. Run it under a virtual one:  xvfb-run -a -s '-screen 0 1280x800x24' bash scripts/run.sh"
  exit 1
fi
exec build/app/ui/orvanet
