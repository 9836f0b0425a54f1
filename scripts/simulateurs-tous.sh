#!/usr/bin/env bash
# Makes the simulated SYSAM V6 and SYSAM CAMPUS available to Galvora, beside
# the simulated SP5 it always finds: their libraries are linked, under the
# vendors' file names, into the user's unit folder that Galvora probes
# ($XDG_DATA_HOME/Galvora/centrales, by default ~/.local/share/Galvora/centrales).
#
#   scripts/simulateurs-tous.sh            link them (building them if needed)
#   scripts/simulateurs-tous.sh --retirer  remove the links again
#
# The simulators are taken from the build folder (build/simulateurs), or from
# an installed Galvora (<prefix>/lib/galvora/simulateurs) when there is no build.
set -euo pipefail
cd "$(dirname "$0")/.."

dossier="${XDG_DATA_HOME:-$HOME/.local/share}/Galvora/centrales"
fichiers=(FTD2XX-V6.DLL Campus.DLL)

if [ "${1:-}" = "--retirer" ]; then
  for f in "${fichiers[@]}"; do
    [ -L "$dossier/$f" ] && rm -f "$dossier/$f"
  done
  echo "Simulations SYSAM V6 et SYSAM CAMPUS retirées de $dossier"
  exit 0
fi

source=""
for candidat in "$PWD/build/simulateurs" /usr/local/lib/galvora/simulateurs /usr/local/lib/*/galvora/simulateurs \
                /usr/lib/galvora/simulateurs /usr/lib/*/galvora/simulateurs; do
  if [ -f "$candidat/FTD2XX-V6.DLL" ] && [ -f "$candidat/Campus.DLL" ]; then
    source="$candidat"
    break
  fi
done
if [ -z "$source" ]; then
  # Not built yet: build the simulators alone.
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGALVORA_TESTS=OFF >/dev/null
  cmake --build build --target sim_sp5 sim_v6 sim_campus
  source="$PWD/build/simulateurs"
fi

mkdir -p "$dossier"
for f in "${fichiers[@]}"; do
  ln -sfn "$source/$f" "$dossier/$f"
done
echo "Simulations SYSAM V6 et SYSAM CAMPUS disponibles (liens dans $dossier vers $source)."
echo "Galvora proposera au démarrage SIMULATION SP5, SYSAM V6 et SYSAM CAMPUS."
