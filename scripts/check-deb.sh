#!/usr/bin/env bash
# Builds the Debian package from a Release build, checks what it holds and
# what it depends on, unpacks it into a clean folder with dpkg -x and writes
# a parcel with the unpacked vadrel-cli, from a folder without templates (so
# they come from the package's share/vadrel).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
shared="$(pwd)/../shared"

scripts/deps.sh >/dev/null
cmake --preset release >/dev/null
cmake --build --preset release --target vadrel vadrel-cli ayuda iconos
(cd build/release && cpack -G DEB >/dev/null)
deb=$PWD/build/release/vadrel_2.0_$(dpkg --print-architecture).deb
[ -f "$deb" ] || { echo "no package: $deb"; exit 1; }

contents=$(dpkg-deb --contents "$deb")
for f in usr/bin/vadrel usr/bin/vadrel-cli usr/share/applications/vadrel.desktop \
         usr/share/icons/hicolor/256x256/apps/vadrel.png usr/share/vadrel/BASE_PARCELAS.XML \
         usr/share/vadrel/BASE_EDIFICIOS.XML usr/share/vadrel/BASE_MULTIPLE.XML usr/share/vadrel/BASE_PISCINAS.XML \
         usr/share/vadrel/ayuda.pdf usr/share/vadrel/leaflet.wms.js usr/share/vadrel/Proj4Leaflet/src/proj4leaflet.js \
         usr/share/vadrel/leaflet/leaflet.js usr/share/vadrel/leaflet/images/marker-icon.png; do
  grep -q "\./$f\$" <<<"$contents" || { echo "the package lacks $f"; exit 1; }
done
depends=$(dpkg-deb --field "$deb" Depends)
for d in libqt6widgets6 libqt6gui6 libqt6printsupport6 libpugixml1v5 libxml2 libgeos-c1v5 libcurl4; do
  grep -q "$d" <<<"$depends" || { echo "the package does not depend on $d: $depends"; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/vadrel.desktop"
mkdir "$work/parcela"
cd "$work/parcela"
"$work/root/usr/bin/vadrel-cli" parcel write --ref 1234567AB1234N --calc-area \
  --coords "$work/root/usr/share/vadrel/parcela_ejemplo.txt" -o parcela.gml
grep -q "<gml:posList" parcela.gml || { echo "the unpacked vadrel-cli wrote no ring"; exit 1; }
"$work/root/usr/bin/vadrel-cli" parcel read parcela.gml | grep -q "^referencia: 1234567AB1234N$"
# The check runs from the package with the schemas it installs: no
# network, an empty home, nothing to download. What the program wrote and
# every real cadastre file pass it silently.
for f in usr/share/vadrel/schemas/catalog.xml \
         usr/share/vadrel/schemas/inspire.ec.europa.eu/schemas/cp/4.0/CadastralParcels.xsd; do
  grep -q "\./$f\$" <<<"$contents" || { echo "the package lacks $f"; exit 1; }
done
offline=(env -u XML_CATALOG_FILES -u XDG_CACHE_HOME HOME="$work/home")
if unshare -n true 2>/dev/null; then offline=(unshare -n "${offline[@]}"); fi
mkdir "$work/home"
files=(parcela.gml)
if [ -d "$shared/samples/gml" ]; then
  while IFS= read -r -d '' f; do files+=("$f"); done < <(find "$shared/samples/gml" -name '*.gml' -print0 | sort -z)
fi
for f in "${files[@]}"; do
  said=$("${offline[@]}" "$work/root/usr/bin/vadrel-cli" check "$f" 2>&1) || {
    echo "the unpacked vadrel-cli's check, offline, refuses $f:"; echo "$said"; exit 1; }
  [ -z "$said" ] || { echo "the unpacked vadrel-cli's check, offline, says of $f:"; echo "$said"; exit 1; }
done
[ -z "$(ls -A "$work/home")" ] || { echo "the offline check left files in the empty home"; exit 1; }

# Every dependency resolves from this machine's package sources.
if [ "$(id -u)" -eq 0 ]; then
  apt-get install --simulate -qq "$deb" >/dev/null 2>&1 || apt-get install --simulate "$deb"
fi
echo "$deb: contents, dependencies and an unpacked vadrel-cli checked"
