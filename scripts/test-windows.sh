#!/usr/bin/env bash
# Tests the Windows build on this Debian machine, under wine:
#
#   1. no path is made from, or turned into, narrow text (on Windows that
#      text is not UTF-8): every source compiled once more against a copy of
#      mingw's <filesystem> header that refuses those conversions;
#   2. the core and skin tests, cross-built (vadrel_tests.exe,
#      vadrel_app_tests.exe), under wine; the ones that need what only Linux
#      has are listed with their reason;
#   3. the batch command end to end, Windows' against Debian's: a parcel and
#      a building written and read back, checked with the installed schemas,
#      compared with a map file, a PDF report; every output byte for byte
#      (the PDF by its text: its dates and font names differ);
#   4. the installer, silently (/S) into a fresh wine prefix, and the
#      program started from its Start-menu entry: its window on a screenshot
#      (build/windows/test/menu.png), checked not blank, and the parcel
#      window opened from it (parcela.png).
#
# Needs the dependency prefix scripts/build-windows.sh builds (about 30
# minutes the first time); exits 77 saying so when it is not there.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cache="${VADREL_MINGW_CACHE:-$HOME/.cache/vadrel-mingw}"
triplet=x86_64-w64-mingw32
out="$here/build/windows/test"
wine=/usr/lib/wine/wine64
command -v wine64 >/dev/null && wine="$(command -v wine64)"

if [ ! -d "$cache/current" ] || [ ! -f "$cache/current/.stamps/qt6-base" ]; then
  echo "Sin el prefijo de dependencias de Windows ($cache/current): scripts/build-windows.sh lo construye." >&2
  exit 77
fi
export VADREL_MINGW_PREFIX
VADREL_MINGW_PREFIX="$(readlink -f "$cache/current")"
log() { printf '\n== %s (%s)\n' "$*" "$(date -u +%H:%M:%S)"; }
failures=0
fail() { echo "FALLO: $*" >&2; failures=$((failures + 1)); }

# What the checks below run besides wine (build-windows.sh installs wine).
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
missing=()
for p in xvfb xdotool openbox imagemagick poppler-utils fonts-dejavu-core python3; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# The programs, the installer and the zip (the dependencies are built).
"$here/scripts/build-windows.sh" package
rm -rf "$out"
mkdir -p "$out"

# --- 1. Paths and narrow text ---------------------------------------------
log "Paths made from UTF-8 text"
guard="$out/narrow-guard"
mkdir -p "$guard/bits"
header="$(dirname "$("$triplet-g++-posix" -print-libgcc-file-name)")/include/c++/bits/fs_path.h"
# A path from a std::string or string_view no longer compiles; string() and
# generic_string() are deprecated, so each use is a warning with its place.
python3 - "$header" "$guard/bits/fs_path.h" <<'EOF'
import sys
s = open(sys.argv[1]).read()
anchor = """      __is_path_src<basic_string_view<_CharT, _Traits>>
	= __is_encoded_char<_CharT>;
"""
assert anchor in s, "mingw's fs_path.h changed: update scripts/test-windows.sh"
s = s.replace(anchor, anchor + """  template<typename _Traits, typename _Alloc>
    inline constexpr bool __is_path_src<basic_string<char, _Traits, _Alloc>> = false;
  template<typename _Traits>
    inline constexpr bool __is_path_src<basic_string_view<char, _Traits>> = false;
""", 1)
for name in ("string", "generic_string"):
    old = "    std::string    %s() const;" % name
    assert old in s, name
    s = s.replace(old, '    [[deprecated("narrow text")]] std::string    %s() const;' % name, 1)
open(sys.argv[2], "w").write(s)
EOF
python3 - "$here/build/windows/compile_commands.json" "$guard" <<'EOF' || fail "rutas de texto estrecho (arriba)"
import json, shlex, subprocess, sys
commands, guard = json.load(open(sys.argv[1])), sys.argv[2]
bad = 0
for entry in commands:
    source = entry["file"]
    # The product's sources; the tests build their own names on purpose.
    if "/src/" not in source or "_autogen" in source:
        continue
    words = shlex.split(entry["command"])
    if "ccache" in words[0]:
        words = words[1:]
    args, skip = [], False
    for w in words:
        if skip:
            skip = False
            continue
        if w == "-o":
            skip = True
            continue
        args.append(w)
    args[1:1] = ["-isystem", guard]
    r = subprocess.run(args + ["-fsyntax-only"], cwd=entry["directory"], capture_output=True, text=True)
    found = [l for l in r.stderr.splitlines() if "/src/" in l and (": error" in l or "narrow text" in l)]
    if r.returncode or found:
        bad += 1
        print("\n".join(found[:10]) or r.stderr[-2000:])
sys.exit(1 if bad else 0)
EOF

# --- 2. The core and skin tests ---------------------------------------------
log "Core and skin tests under wine"
cmake --build --preset windows --target vadrel_tests vadrel_app_tests
for program in vadrel_tests vadrel_app_tests; do
  results="$out/$program.txt"
  if (cd "$here/build/windows" && QT_QPA_PLATFORM=offscreen "$here/cmake/wine-run.sh" "bin/$program.exe" \
        --gtest_brief=1 >"$results" 2>&1); then
    :
  else
    grep -B12 '^\[  FAILED  \]' "$results" | tail -n 80
    fail "$program bajo wine"
  fi
  tr -d '\r' <"$results" | tail -n 3
done
echo "Omitidas bajo wine, con su motivo:"
cat "$out"/vadrel_tests.txt "$out"/vadrel_app_tests.txt | tr -d '\r' | grep -A1 ': Skipped$' |
  grep -v -e ': Skipped$' -e '^--$' | sort | uniq -c || true

# --- 3. The batch command, against Debian's ---------------------------------
log "Batch command: Windows against Debian"
linux_cli=""
for candidate in "$here/build/release/bin/vadrel-cli" "$here/build/dev/bin/vadrel-cli"; do
  [ -x "$candidate" ] && { linux_cli="$candidate"; break; }
done
if [ -z "$linux_cli" ]; then
  fail "no hay vadrel-cli de Debian (./test.sh lo construye)"
else
  shared="$here/../shared/samples/gml/parcel/wfs-cp-bbox-29-parcels.gml"
  for side in debian windows; do
    dir="$out/cli-$side"
    mkdir -p "$dir"
    printf '1;441000.00;4470000.00\n2;441030.00;4470000.00\n3;441030.00;4470025.00\n4;441000.00;4470025.00\n' >"$dir/parcela.txt"
    printf '1;441005.00;4470005.00\n2;441020.00;4470005.00\n3;441020.00;4470018.00\n4;441005.00;4470018.00\n' >"$dir/edificio.txt"
  done
  run_both() {
    local name="$1" status
    shift
    status=0
    (cd "$out/cli-debian" && ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen exec "$linux_cli" "$@") \
      >"$out/cli-debian/$name.out" 2>"$out/cli-debian/$name.err" || status=$?
    echo "$status" >"$out/cli-debian/$name.status"
    status=0
    (cd "$out/cli-windows" && QT_QPA_PLATFORM=offscreen exec "$here/cmake/wine-run.sh" \
      "$here/build/windows/bin/vadrel-cli.exe" "$@") >"$out/cli-windows/$name.out" 2>"$out/cli-windows/$name.err" ||
      status=$?
    echo "$status" >"$out/cli-windows/$name.status"
  }
  run_both parcel-write parcel write --ref 1234567VK1234S --zone 30 --calc-area --coords parcela.txt -o "Parcela Núñez.gml"
  run_both parcel-read parcel read "Parcela Núñez.gml" -o leidas.txt
  run_both building-write building write --ref 1234567VK1234S --zone 30 --date 01/02/2020 --units 1 \
    --dwellings 1 --floors 2 --total-area 390 --ext edificio.txt -o edificio.gml
  run_both building-read building read edificio.gml
  run_both check check "Parcela Núñez.gml" edificio.gml
  if [ -f "$shared" ]; then
    run_both compare compare --gml "$shared" --catastro "$shared"
  fi
  run_both report report --gml "Parcela Núñez.gml" --autor "José Núñez" -o informe.pdf
  for side in debian windows; do
    pdftotext -layout "$out/cli-$side/informe.pdf" "$out/cli-$side/informe.txt" 2>/dev/null || true
    rm -f "$out/cli-$side/informe.pdf"
  done
  if diff -r "$out/cli-debian" "$out/cli-windows" >"$out/cli.diff"; then
    echo "Las salidas coinciden byte a byte ($(ls "$out/cli-debian" | wc -l) archivos)."
  else
    head -n 40 "$out/cli.diff"
    fail "las salidas de vadrel-cli.exe difieren de las de Debian ($out/cli.diff)"
  fi
fi

# --- 4. The installer in a fresh prefix -------------------------------------
log "Installer in a fresh wine prefix"
export WINEPREFIX="$out/wine" WINEDEBUG=-all
"$wine" wineboot -i >/dev/null 2>&1
# wine has none of Windows' interface faces (Segoe UI, Tahoma): the
# desktop's own stands in for them, as on Debian.
for face in "Segoe UI" "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma"; do
  "$wine" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
    /v "$face" /d "DejaVu Sans" /f >/dev/null 2>&1
done
setup="$(ls "$here"/build/windows/vadrel-*-setup.exe | head -n 1)"
"$wine" "$setup" /S
/usr/lib/wine/wineserver -w
installed="$WINEPREFIX/drive_c/Program Files/Vadrel"
for file in bin/vadrel.exe bin/vadrel-cli.exe share/vadrel/ayuda.pdf share/vadrel/schemas/catalog.xml \
            share/vadrel/BASE_PARCELAS.XML share/proj/proj.db desinstalar.exe; do
  [ -f "$installed/$file" ] || fail "el instalador no ha puesto $file"
done
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Vadrel/Vadrel.lnk"
[ -f "$menu" ] || fail "no hay entrada en el menú Inicio"
cat >"$out/start.sh" <<EOF
#!/bin/sh
openbox >/dev/null 2>&1 &
"$wine" start 'C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Vadrel\\Vadrel.lnk'
for i in \$(seq 1 30); do
  xdotool search --name '^Vadrel\$' >/dev/null 2>&1 && break
  sleep 1
done
sleep 3
import -window root "$out/menu.png"
# "GML Parcela" has the focus: the parcel window, its fields and accents.
xdotool key space
sleep 5
import -window root "$out/parcela.png"
/usr/lib/wine/wineserver -k
EOF
chmod +x "$out/start.sh"
timeout 120 xvfb-run -a -s "-screen 0 1024x768x24" "$out/start.sh" || true
if [ ! -f "$out/menu.png" ]; then
  fail "no hay captura de la ventana"
else
  colours="$(convert "$out/menu.png" -format '%k' info:)"
  [ "$colours" -gt 50 ] || fail "la captura está en blanco ($colours colores)"
  [ -f "$WINEPREFIX/drive_c/users/$(id -un)/Vadrel/BASE_PARCELAS.XML" ] ||
    fail "la carpeta de trabajo %USERPROFILE%\\Vadrel no se ha llenado al empezar"
  echo "Capturas: $out/menu.png ($colours colores), $out/parcela.png"
fi

if ((failures)); then
  echo "Windows: $failures fallos." >&2
  exit 1
fi
echo "Windows: todo bien."
