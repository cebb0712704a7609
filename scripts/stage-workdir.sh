#!/usr/bin/env bash
# Prepares the program's working directory: the templates and the examples
# beside each other, as the program expects to find them at start-up.
# Usage: stage-workdir.sh BUILD_DIR WORKDIR
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$1"
work="$2"
mkdir -p "$work"
cp "$here"/data/*.XML "$work"/
cp "$here"/examples/* "$work"/
