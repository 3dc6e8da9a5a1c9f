#!/usr/bin/env bash
# Installs what is missing, builds, starts the local central laboratory with its
# sample data and starts Orvanet against it, in a workspace of its own.
#
#   bash scripts/run.sh                  # the demo against the local laboratory
#   ORVANET_LAB=off bash scripts/run.sh  # Orvanet alone, with your own workspace and orvanet.ini
#
# ORVANET_WORKSPACE sets the demo's workspace folder (default build/demo/workspace).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display. Run it under a virtual one:  xvfb-run -a -s '-screen 0 1280x800x24' bash scripts/run.sh"
  exit 1
fi

if [ "${ORVANET_LAB:-on}" = "off" ]; then
  exec build/app/ui/orvanet
fi

demo="$PWD/build/demo"
workspace="${ORVANET_WORKSPACE:-$demo/workspace}"
mkdir -p "$demo" "$workspace"
lab_out="$demo/central-lab.out"
/usr/bin/python3 tools/central-lab/central_lab.py --data "$demo/server" --logs "$demo/logs" \
  --fresh --tls --workspace "$workspace" --http-port 0 >"$lab_out" 2>"$demo/central-lab.err" &
lab_pid=$!
trap 'kill "$lab_pid" 2>/dev/null; wait "$lab_pid" 2>/dev/null || true' EXIT

for _ in $(seq 1 100); do
  grep -qx ready "$lab_out" 2>/dev/null && break
  if ! kill -0 "$lab_pid" 2>/dev/null; then
    echo "The local central laboratory did not start:"; cat "$demo/central-lab.err"; exit 1
  fi
  sleep 0.1
done
grep -qx ready "$lab_out" || { echo "The local central laboratory did not get ready."; exit 1; }

value() { sed -n "s/^$1=//p" "$lab_out"; }
echo "Local central laboratory: FTP over TLS 127.0.0.1:$(value ftp_port), time server UDP $(value sntp_port),"
echo "  payment page http://127.0.0.1:$(value http_port)/, server files in $demo/server"
echo "  (faults: see tools/central-lab/README.md; control port $(value control_port))"
echo "Workspace: $workspace (settings in orvanet.ini)"
echo
echo "Access code to type: $(value access_code)   (laboratory folder $(value folder))"
echo
ORVANET_WORKSPACE="$workspace" build/app/ui/orvanet
