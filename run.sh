#!/usr/bin/env bash
# Installs what is missing, builds, prepares build/workdir/ and starts the
# desktop program there.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"

scripts/deps.sh
cmake --preset release >/dev/null
cmake --build --preset release
scripts/stage-workdir.sh build/release build/workdir

cd build/workdir
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No hay pantalla gráfica (ni DISPLAY ni WAYLAND_DISPLAY): no se puede abrir Vadrel."
  echo "Use la línea de órdenes desde $(pwd), por ejemplo:"
  echo "  ../release/bin/vadrel-cli parcel write --ref 1234567AB1234N --calc-area --coords parcela_ejemplo.txt -o parcela_ejemplo.gml"
  echo "  ../release/bin/vadrel-cli --help"
  exit 0
fi
exec ../release/bin/vadrel "$@"
