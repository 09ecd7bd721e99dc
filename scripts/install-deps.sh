#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Quorvane Editor need.
# Does nothing when they are all present.
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang-format
  libwxgtk3.2-dev libwxgtk-webview3.2-dev wx3.2-i18n libgtk-3-dev adwaita-icon-theme
  libxml2-dev libxml2-utils libmd4c-dev libmd4c-html0-dev
  libcurl4-openssl-dev
  uuid-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth xdotool imagemagick
  fp-utils gettext locales
  librsvg2-dev libwmf-dev libemf2svg-dev fonts-urw-base35
  xdg-utils shared-mime-info adwaita-icon-theme
  desktop-file-utils appstream librsvg2-bin dpkg-dev fakeroot
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
