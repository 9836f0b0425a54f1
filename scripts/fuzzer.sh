#!/usr/bin/env bash
# Builds the fuzz targets (a configuration of their own in build-fuzz: clang,
# libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer, virtual time) and
# runs each of them from the corpus kept in tests/fuzz/corpus.
#
#   scripts/fuzzer.sh [options] [target...]
#     --secondes S     run each target S seconds (default 5)
#     --executions N   run each target for N inputs instead
#     --garder         merge what the run found into the kept corpus,
#                      minimised (for a long run by hand, not in CI)
#   targets: valeur_texte liaison_v6 campus sp5 (default: all)
#
# A crash, a hang (10 s for one input) or a sanitizer report fails the script
# and leaves the input in build-fuzz/trouvailles/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."

secondes=5
executions=""
garder=0
cibles=()
while [ $# -gt 0 ]; do
  case "$1" in
    --secondes) secondes="$2"; shift 2 ;;
    --executions) executions="$2"; shift 2 ;;
    --garder) garder=1; shift ;;
    *) cibles+=("$1"); shift ;;
  esac
done
[ ${#cibles[@]} -gt 0 ] || cibles=(valeur_texte liaison_v6 campus sp5)

lanceur=()
command -v ccache >/dev/null && lanceur=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DGALVORA_FUZZ=ON "${lanceur[@]}" >/dev/null
# Only the programs asked for (their hostile libraries come with them).
cmake --build build-fuzz -j "$(nproc)" --target "${cibles[@]/#/fuzz_}" >/dev/null

bilan=()
for cible in "${cibles[@]}"; do
  programme="build-fuzz/fuzz/fuzz_$cible"
  garde="tests/fuzz/corpus/$cible"
  nouveau="build-fuzz/corpus/$cible"
  trouvailles="build-fuzz/trouvailles/$cible"
  rm -rf "$nouveau" "$trouvailles"
  mkdir -p "$nouveau" "$trouvailles" "$garde"
  options=(-timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "-artifact_prefix=$trouvailles/")
  [ -f "tests/fuzz/$cible.dict" ] && options+=("-dict=tests/fuzz/$cible.dict")
  if [ -n "$executions" ]; then
    options+=("-runs=$executions")
  else
    options+=("-max_total_time=$secondes")
  fi
  journal="build-fuzz/fuzz-$cible.log"
  # New inputs go to the first folder; the kept corpus is only read.
  if ! "$programme" "${options[@]}" "$nouveau" "$garde" >"$journal" 2>&1; then
    tail -n 40 "$journal"
    echo "ÉCHEC: fuzz_$cible found a fault; the input is in $trouvailles/" >&2
    exit 1
  fi
  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$journal")"
  temps="$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$journal")"
  couverture="$(grep -o 'cov: [0-9]*' "$journal" | tail -1)"
  bilan+=("$(printf '%-14s %12s inputs in %5s s, %s, no fault' "$cible" "$runs" "$temps" "$couverture")")
  if [ "$garder" = 1 ]; then
    minimal="build-fuzz/corpus/$cible.minimal"
    rm -rf "$minimal"
    mkdir -p "$minimal"
    "$programme" -merge=1 "$minimal" "$garde" "$nouveau" >>"$journal" 2>&1
    rm -rf "$garde"
    mv "$minimal" "$garde"
    echo "$garde: $(ls "$garde" | wc -l) inputs kept"
  fi
done
echo "Fuzz runs:"
printf '  %s\n' "${bilan[@]}"
