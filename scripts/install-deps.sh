#!/usr/bin/env bash
# Installs everything Orvanet needs to build, test and run on Debian 12.
# Idempotent: packages already present are left alone; nothing is done when all are there.
# With package names as arguments it installs those instead (scripts/windows-check.sh).
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config lld
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6sql6-sqlite libsqlite3-dev libgl-dev
  libcurl4-openssl-dev libicu-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth imagemagick fonts-noto-core fonts-dejavu-core poppler-utils
  python3 python3-pyftpdlib python3-openssl chrony
  desktop-file-utils dpkg-dev
  libx11-dev x11-xkb-utils
  qt6-pdf-dev
  qt6-charts-dev libqt6opengl6-dev
  qtkeychain-qt6-dev
  gnome-keyring
  dbus-daemon python3-dbus python3-gi
  lintian
  help2man
  appstream
)

if [ $# -gt 0 ]; then packages=("$@"); fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=600 update -q
"${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=600 install -y -q --no-install-recommends "${missing[@]}"
# chrony's package starts its own daemon; the tests run their own on a loopback port.
if command -v systemctl >/dev/null 2>&1; then "${sudo_cmd[@]}" systemctl disable --now chrony >/dev/null 2>&1 || true; fi
