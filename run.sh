#!/usr/bin/env bash
# Installs what is missing, builds, prepares build/workdir/ and runs the
# program there. Until the desktop windows exist it writes the bundled
# example parcel with the batch command.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"

scripts/deps.sh
cmake --preset release >/dev/null
cmake --build --preset release
scripts/stage-workdir.sh build/release build/workdir

cd build/workdir
../release/bin/vadrel-cli parcel write --ref 1234567AB1234N --calc-area \
  --coords parcela_ejemplo.txt -o parcela_ejemplo.gml "$@"
echo "GML escrito en $(pwd)/parcela_ejemplo.gml"
