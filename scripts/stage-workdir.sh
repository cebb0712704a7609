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
