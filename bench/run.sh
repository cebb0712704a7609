#!/usr/bin/env bash
# Every measurement of bench/README.md in one run, on a Release build:
#   1. the core's benchmarks (Google Benchmark): every road of the windows at
#      growing sizes, so that linear growth can be read off;
#   2. the desktop window offscreen with large rings;
#   3. whole vadrel-cli processes on a 1,000,000-vertex ring, start to exit,
#      timed by /usr/bin/time (best of three, with the peak memory), beside
#      ogr2ogr on the same ring when gdal-bin is installed.
# Usage: bench/run.sh [--quick]   (--quick: only the whole-process table)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

scripts/deps.sh >/dev/null
cmake --preset release >/dev/null
cmake --build --preset release --target vadrel-cli vadrel_bench vadrel_skin_bench vadrel_bench_inputs >/dev/null
bin=build/release/bin

echo "# $(date -u +%Y-%m-%d) on $(nproc) cores, $(lscpu | sed -n 's/^Model name: *//p'), kernel $(uname -r)"
echo "# transparent huge pages: $(cat /sys/kernel/mm/transparent_hugepage/enabled 2>/dev/null || echo unknown)"

if [[ "${1:-}" != "--quick" ]]; then
  echo; echo "## Core benchmarks"
  "$bin/vadrel_bench" --benchmark_min_time=1
  echo; echo "## Desktop window, offscreen"
  QT_QPA_PLATFORM=offscreen "$bin/vadrel_skin_bench" --benchmark_min_time=1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$bin/vadrel_bench_inputs" data "$work"
mkdir -p "$work/mapa"
cli=$(realpath "$bin/vadrel-cli")

# Best wall time of three runs and the peak memory of that run. A command
# that ends with another status than $ok (0 unless set, e.g. 1 for a
# comparison that finds overlaps) has failed.
measure() {
  local label=$1 target=$2; shift 2
  local best="" mem="" status
  for _ in 1 2 3; do
    status=0
    /usr/bin/time -f "%e %M" -o "$work/time" "$@" >/dev/null 2>"$work/err" || status=$?
    if [[ $status != "${ok:-0}" ]]; then
      echo "| $label | failed ($status): $(head -c 200 "$work/err") | | |"; return; fi
    # time puts "Command exited with non-zero status N" before the figures.
    read -r t m < <(tail -n 1 "$work/time")
    if [[ -z "$best" ]] || awk "BEGIN{exit !($t < $best)}"; then best=$t; mem=$m; fi
  done
  printf '| %s | %s s | %d MB | %s |\n' "$label" "$best" $((mem / 1024)) "$target"
}

n=1000000
echo; echo "## Whole processes, ring of $n vertices"
echo
echo "| operation | time | peak memory | target |"
echo "|---|---|---|---|"
cd "$work"
measure "DXF import + area + GML write" "0.35 s, 250 MB" \
  "$cli" parcel write --ref 1234567AB1234N --calc-area --dxf "ring_$n.dxf" -o dxf.gml
measure "GML read back to a coordinate file" "0.5 s, 250 MB" "$cli" parcel read "ring_$n.gml" -o leido.txt
measure "LIST import + area + GML write" "0.5 s, 250 MB" \
  "$cli" parcel write --ref 1234567AB1234N --calc-area --list "ring_${n}_list.txt" -o list.gml
measure "coordinate file load + area + GML write" "0.5 s, 250 MB" \
  "$cli" parcel write --ref 1234567AB1234N --calc-area --coords "ring_$n.txt" -o coords.gml
measure "preview PNG" "0.5 s, 250 MB" "$cli" preview --coords "ring_$n.txt" -o vista.png
measure "web map page" "0.5 s, 250 MB" "$cli" map --coords "ring_$n.txt" -o mapa/pagina.html
# Not on the ring: one new parcel against a municipal file of 1,500 parcels.
measure "compare with 1,500 cadastral parcels" "0.2 s" \
  "$cli" compare --coords nueva.txt --catastro bloque_1500.gml
# Outlines long in metres: a 5 km square against itself, a 20 km road
# widened 0.3 m into the 400 parcels along it, a saw of 2,000 teeth across
# a municipality of 2,400 parcels (both with overlaps: status 1).
measure "compare a 5 km square with itself" "1 s" \
  "$cli" compare --coords cuadrado_5km.txt --ref 9000001VK0000A --catastro cuadrado_5km.gml
ok=1 measure "compare a 20 km road with its map" "1 s" \
  "$cli" compare --coords carretera_20km.txt --ref 9000001VK0000A --catastro carretera_20km_mapa.gml
ok=1 measure "compare a 2,000-tooth saw with 2,400 parcels" "2 s" \
  "$cli" compare --coords sierra_2000.txt --catastro municipio_2400.gml
if command -v ogr2ogr >/dev/null; then
  measure "ogr2ogr GeoJSON to GML ($(ogr2ogr --version | cut -d, -f1))" "" \
    ogr2ogr -f GML ogr_geojson.gml "ring_$n.geojson"
  measure "ogr2ogr DXF polyline to GML" "" ogr2ogr -f GML ogr_dxf.gml "ring_$n.dxf"
else
  echo "| ogr2ogr | not installed (gdal-bin) | | |"
fi
