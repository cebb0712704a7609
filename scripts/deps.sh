#!/usr/bin/env bash
# Installs whatever the build and the tests need and this machine lacks.
# Idempotent: a machine that has everything is left alone, quickly.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  libpugixml-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libxml2-utils libxml2-dev libgeos-dev libcurl4-openssl-dev libproj-dev proj-data
  qt6-base-dev qt6-translations-l10n libgl-dev fonts-dejavu-core
  xvfb xauth xdotool openbox x11-utils
  poppler-utils
  dpkg-dev desktop-file-utils
  chromium
)
# Node.js with npm for web/: the machine's own when it has one.
command -v npm >/dev/null || packages+=(nodejs npm)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "Instalando: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The web-map pages' scripts and the browser tests' tools, once web/ exists.
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [ -f "$here/web/package-lock.json" ]; then
  if [ ! -d "$here/web/node_modules" ] || [ "$here/web/package-lock.json" -nt "$here/web/node_modules/.package-lock.json" ]; then
    (cd "$here/web" && npm ci --no-audit --no-fund)
  fi
fi
