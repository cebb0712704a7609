#!/usr/bin/env bash
# Prepares the program's working directory: templates, the help document and
# the examples side by side, where the program looks for them at start-up.
# Usage: stage-workdir.sh BUILD_DIR WORKDIR
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$1"
work="$2"
mkdir -p "$work"
cp "$here"/data/*.XML "$work"/
cp "$build"/share/vadrel/ayuda.pdf "$work"/
cp "$here"/examples/* "$work"/

# The scripts the web-map pages load from beside themselves, from web/.
modules="$here/web/node_modules"
if [ -d "$modules/leaflet.wms" ] && [ -d "$modules/proj4leaflet" ] && [ -d "$modules/leaflet" ]; then
  mkdir -p "$work/Proj4Leaflet/lib" "$work/Proj4Leaflet/src" "$work/leaflet/images"
  cp "$modules/leaflet.wms/dist/leaflet.wms.js" "$work"/
  cp "$modules/proj4leaflet/lib/proj4-compressed.js" "$work/Proj4Leaflet/lib/"
  cp "$modules/proj4leaflet/src/proj4leaflet.js" "$work/Proj4Leaflet/src/"
  cp "$modules/leaflet/dist/leaflet.js" "$modules/leaflet/dist/leaflet.css" "$work/leaflet/"
  cp "$modules/leaflet/dist/images/"*.png "$work/leaflet/images/"
fi
