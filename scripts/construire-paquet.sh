#!/usr/bin/env bash
# Builds Galvora's Debian package from this source tree and checks it with
# lintian (any error fails).
#
#   scripts/construire-paquet.sh [folder]     (default: build-paquet)
#
# The working copy (what git tracks or would track, without the build
# folders) is copied into <folder>/galvora-<version> and built there with
# dpkg-buildpackage; the packages are left in <folder>:
# galvora_<version>_<arch>.deb (and its debug symbols). Install with
#   sudo apt install ./<folder>/galvora_<version>_<arch>.deb
# Extra CMake options for the build can be given in GALVORA_OPTIONS_CMAKE.
set -euo pipefail
cd "$(dirname "$0")/.."

sortie="$(realpath -m "${1:-build-paquet}")"
version="$(dpkg-parsechangelog -S Version)"
version_cmake="$(sed -n 's/^project(Galvora VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
if [ "$version" != "$version_cmake" ]; then
  echo "debian/changelog gives version $version, CMakeLists.txt $version_cmake: make them agree." >&2
  exit 1
fi

source="$sortie/galvora-$version"
rm -rf "$source" "$sortie"/galvora*_"$version"_*
mkdir -p "$source"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done |
    tar --null -T - -cf - | tar -xf - -C "$source"
else
  tar --exclude='./build*' --exclude='./.git' -cf - . | tar -xf - -C "$source"
fi

(cd "$source" && DEB_BUILD_OPTIONS="nocheck parallel=$(nproc)" dpkg-buildpackage -us -uc -b)

paquet="$(ls "$sortie"/galvora_"$version"_*.deb)"
echo "lintian $paquet:"
lintian --fail-on error --display-info "$paquet"
echo "Paquet : $paquet"
