#!/usr/bin/env bash
# Installs the Debian packages Galvora needs to build, run and test.
# Quick when everything is already there.
set -euo pipefail
paquets=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth fonts-dejavu-core
  libxlsxwriter-dev python3-openpyxl
  # The full Calc, not -nogui: that build cannot open a document in a view
  # (over UNO a new document ends the office), even headless.
  libreoffice-dev libreoffice-calc
  # The Debian package and its test: built with debhelper, checked with
  # lintian, started under Xvfb and driven with xdotool.
  debhelper lintian file desktop-file-utils appstream xdotool imagemagick
  # The fuzz targets: clang with libFuzzer and the sanitizers' run-time.
  clang libclang-rt-14-dev
)
manquants=()
for p in "${paquets[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || manquants+=("$p")
done
if [ ${#manquants[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${manquants[@]}"
fi
