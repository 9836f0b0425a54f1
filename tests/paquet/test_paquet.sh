#!/usr/bin/env bash
# Builds the Debian package from the source tree (lintian errors fail it),
# checks what it holds and declares, installs it into a scratch root with
# dpkg -x and starts the installed program there, on the installed simulated
# SP5, V6 and CAMPUS in turn, under Xvfb: the main window appears and an
# acquisition draws a curve.
#
#   test_paquet.sh <source folder> <work folder>
set -euo pipefail
source_dir="$1"
travail="$2"
ici="$(cd "$(dirname "$0")" && pwd)"
rm -rf "$travail"
mkdir -p "$travail"

echo "== Construction du paquet"
"$source_dir/scripts/construire-paquet.sh" "$travail/paquet"
deb="$(ls "$travail"/paquet/galvora_*.deb)"
dpkg-deb -f "$deb" Package Version Depends Recommends Suggests

echo "== Installation dans $travail/racine"
racine="$travail/racine"
dpkg -x "$deb" "$racine"
multiarch="$(dpkg-architecture -qDEB_HOST_MULTIARCH)"
simulateurs="$racine/usr/lib/$multiarch/galvora/simulateurs"
manque=0
for f in usr/bin/galvora \
         "usr/lib/$multiarch/galvora/simulateurs/SP5SIM.DLL" \
         "usr/lib/$multiarch/galvora/simulateurs/FTD2XX-V6.DLL" \
         "usr/lib/$multiarch/galvora/simulateurs/Campus.DLL" \
         usr/share/applications/galvora.desktop \
         usr/share/icons/hicolor/scalable/apps/galvora.svg \
         usr/share/icons/hicolor/48x48/apps/galvora.png \
         usr/share/metainfo/org.galvora.Galvora.metainfo.xml \
         usr/share/man/man1/galvora.1.gz \
         usr/share/doc/galvora/copyright \
         lib/udev/rules.d/60-galvora.rules; do
  if [ ! -f "$racine/$f" ]; then
    echo "ÉCHEC: the package lacks /$f"
    manque=1
  fi
done
[ "$manque" = 0 ]
grep -qx 'Icon=galvora' "$racine/usr/share/applications/galvora.desktop"
desktop-file-validate "$racine/usr/share/applications/galvora.desktop"
appstreamcli validate --no-net "$racine/usr/share/metainfo/org.galvora.Galvora.metainfo.xml"
file -b "$racine/usr/share/icons/hicolor/48x48/apps/galvora.png" | grep -q '48 x 48'

echo "== Dépendances déclarées"
# Every library that the program and the simulators name (NEEDED) comes
# from a package that the package depends on.
depends="$(dpkg-deb -f "$deb" Depends | tr ',|' '\n\n' | sed 's/^ *//; s/[ (].*//')"
while IFS= read -r -d '' elf; do
  file -b "$elf" | grep -q '^ELF' || continue
  for bibliotheque in $(readelf -d "$elf" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
    case "$bibliotheque" in ld-linux*) continue ;; esac
    chemin="$(ldd "$elf" | awk -v b="$bibliotheque" '$1 == b && $2 == "=>" { print $3 }')"
    if [ -z "$chemin" ] || [ "$chemin" = "not" ]; then
      echo "ÉCHEC: $(basename "$elf") needs $bibliotheque, which is not found"
      exit 1
    fi
    paquet="$( (dpkg -S "$chemin" 2>/dev/null || dpkg -S "$(realpath "$chemin")") | head -1 | cut -d: -f1)"
    if ! grep -qxF "$paquet" <<<"$depends"; then
      echo "ÉCHEC: $(basename "$elf") needs $bibliotheque ($paquet), which Depends does not name"
      exit 1
    fi
    echo "$(basename "$elf"): $bibliotheque from $paquet"
  done
done < <(find "$racine/usr/bin" "$simulateurs" -type f -print0)
echo "Depends covers every library needed"

echo "== Le programme installé, sur les simulateurs installés"
for centrale in SP5 V6 CAMPUS; do
  xvfb-run -a -s "-screen 0 1280x800x24" \
    python3 "$ici/pilote_paquet.py" "$racine/usr/bin/galvora" "$simulateurs" "$centrale" "$travail"
done
echo "Paquet vérifié : $deb"
