#!/usr/bin/env bash
# Cross-builds Vadrel for 64-bit Windows on Debian 12, from Debian's own
# source packages: no other download site is needed.
#
#   scripts/build-windows.sh [deps|qt|app|package|all]     (default: all)
#
#   stage 1 (deps): pugixml, sqlite3, libxml2, GEOS, PROJ, curl
#   stage 2 (qt):   qt6-base (Core, Gui, Widgets, PrintSupport, Test)
#   stage 3 (app):  the project, with the "windows" CMake preset
#   stage 4 (package): the installer and the portable zip
#
# Everything lands under ~/.cache/vadrel-mingw (VADREL_MINGW_CACHE):
#   src/<package>_<version>/     the unpacked Debian sources (patches applied)
#   build/<key>/<package>/       build trees, kept so that a stopped build resumes
#   <key>/                       the install prefix (bin/*.dll, lib/, include/)
#   <key>/.stamps/<package>      one stamp per dependency built into the prefix
#   current -> <key>
# The key joins the compiler's and every source's version, so a new Debian
# version (a security update, say) builds a fresh prefix and an unchanged
# one is skipped. Run it again after a failure: finished dependencies stay.
#
# Timed on Debian 12 with 2 cores from an empty cache: 28 minutes in all —
# stage 1 about 6 (each library then checked by a small program under
# wine), Qt about 21, the programs about 2 (the help PDF and the icons made
# under wine), the installer and the zip under 1.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cache="${VADREL_MINGW_CACHE:-$HOME/.cache/vadrel-mingw}"
# The machine is shared: two jobs unless told otherwise.
jobs="${VADREL_JOBS:-2}"
triplet=x86_64-w64-mingw32
toolchain="$here/cmake/mingw-w64-x86_64.cmake"
stage="${1:-all}"
case "$stage" in
  deps|qt|app|package|all) ;;
  *) echo "Uso: $0 [deps|qt|app|package|all]" >&2; exit 2 ;;
esac

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

# To stderr: some functions print their result on stdout.
log() { printf '\n== %s (%s)\n' "$*" "$(date -u +%H:%M:%S)" >&2; }

# --- The build machine's tools -------------------------------------------

install_packages() {
  local packages=(
    g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64
    cmake ninja-build pkg-config dpkg-dev make tcl sqlite3 python3 perl
    wine64 nsis googletest
    # The host Qt whose moc, uic and rcc the Windows Qt and the project run.
    qt6-base-dev qt6-base-dev-tools
  )
  local missing=() p
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if ((${#missing[@]})); then
    log "Installing ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

# apt-get source needs deb-src entries; they are added for the Debian mirror
# the machine already uses, nothing else.
ensure_deb_src() {
  local lists=(/etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources)
  if grep -qsE '^[[:space:]]*(deb-src[[:space:]]|Types:.*deb-src)' "${lists[@]}"; then
    return
  fi
  log "Adding deb-src entries for Debian's archive"
  local stanzas lines f
  # deb822 files: every enabled Debian stanza, with its type changed.
  stanzas="$(for f in /etc/apt/sources.list.d/*.sources; do
               [ -f "$f" ] || continue
               awk 'BEGIN { RS = ""; ORS = "\n\n" }
                    /URIs:[^\n]*debian/ && /Types:[^\n]*deb/ && !/Enabled:[[:space:]]*no/ {
                      sub(/Types:[^\n]*/, "Types: deb-src"); print }' "$f"
             done)"
  # One-line files: the same, line by line.
  lines="$(grep -hsE '^[[:space:]]*deb[[:space:]].*debian' /etc/apt/sources.list /etc/apt/sources.list.d/*.list |
           sed -E 's/^[[:space:]]*deb[[:space:]]/deb-src /' || true)"
  if [ -z "$stanzas" ] && [ -z "$lines" ]; then
    echo "No se encuentra ninguna fuente de paquetes de Debian en /etc/apt: añada una línea deb-src a mano." >&2
    exit 1
  fi
  if [ -n "$stanzas" ]; then
    printf '%s\n' "$stanzas" | $sudo tee /etc/apt/sources.list.d/vadrel-deb-src.sources >/dev/null
  fi
  if [ -n "$lines" ]; then
    printf '%s\n' "$lines" | $sudo tee /etc/apt/sources.list.d/vadrel-deb-src.list >/dev/null
  fi
  $sudo apt-get update -qq
}

# The newest version of a source package the archive offers.
source_version() {
  local best="" v
  while read -r v; do
    if [ -z "$best" ] || dpkg --compare-versions "$v" gt "$best"; then best="$v"; fi
  done < <(apt-cache showsrc "$1" 2>/dev/null | awk '/^Version:/ { print $2 }')
  if [ -z "$best" ]; then
    echo "El paquete fuente $1 no está en el archivo de Debian." >&2
    exit 1
  fi
  printf '%s\n' "$best"
}

# Unpacks a source package once; prints its source tree.
fetch_source() {
  local pkg="$1" ver="$2"
  local dir="$cache/src/${pkg}_${ver//:/_}"
  if [ ! -f "$dir/.unpacked" ]; then
    log "Fetching the $pkg $ver sources"
    rm -rf "$dir"
    mkdir -p "$dir"
    (cd "$dir" && apt-get source -qq --only-source "$pkg=$ver" >/dev/null)
    touch "$dir/.unpacked"
  fi
  find "$dir" -mindepth 1 -maxdepth 1 -type d | head -n 1
}

# --- Stage 1: the libraries ----------------------------------------------

dependencies=(pugixml sqlite3 libxml2 geos proj curl qt6-base)
declare -A version
compute_prefix() {
  local parts=("gcc-$($triplet-gcc-posix -dumpfullversion)") p
  for p in "${dependencies[@]}"; do
    version[$p]="$(source_version "$p")"
    parts+=("$p-${version[$p]}")
  done
  key="$(IFS=_; printf '%s' "${parts[*]}")"
  key="${key//:/-}"
  prefix="$cache/$key"
  builds="$cache/build/$key"
  mkdir -p "$prefix/.stamps" "$builds"
  ln -sfn "$key" "$cache/current"
  export VADREL_MINGW_PREFIX="$prefix"
}

built() { [ -f "$prefix/.stamps/$1" ]; }
mark_built() { printf '%s\n' "${version[$1]}" >"$prefix/.stamps/$1"; }

# One package's build tree. Kept between runs, so that an interrupted build
# (Qt's hour, above all) resumes; the key already tells versions apart.
# Delete it to start that package over.
build_dir() {
  mkdir -p "$builds/$1"
  printf '%s\n' "$builds/$1"
}

cmake_dependency() {
  local src="$1" bld="$2"
  shift 2
  cmake -S "$src" -B "$bld" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DVADREL_MINGW_PREFIX="$prefix" \
    -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_TESTING=OFF \
    "$@" >"$bld/configure.log" 2>&1 || { tail -n 40 "$bld/configure.log"; return 1; }
  cmake --build "$bld" -j "$jobs" >"$bld/build.log" 2>&1 || { tail -n 40 "$bld/build.log"; return 1; }
  cmake --install "$bld" >"$bld/install.log" 2>&1
}

# Static: a C++ library, so no C++ objects cross a DLL boundary, and its
# .pc file needs no private libraries.
build_pugixml() {
  local src bld
  src="$(fetch_source pugixml "${version[pugixml]}")"
  bld="$(build_dir pugixml)"
  cmake_dependency "$src" "$bld" -DBUILD_SHARED_LIBS=OFF -DPUGIXML_BUILD_TESTS=OFF
}

# sqlite3's configure, cross-compiling, takes the Unix layer: instead the
# amalgamation is made on the build machine and compiled by hand for
# Windows, as a DLL (libsqlite3-0.dll, the name upstream's own builds use).
build_sqlite3() {
  local src bld
  src="$(fetch_source sqlite3 "${version[sqlite3]}")"
  bld="$(build_dir sqlite3)"
  (cd "$bld" && "$src/configure" --disable-tcl >configure.log 2>&1 && make -j "$jobs" sqlite3.c >amalgamation.log 2>&1)
  local flags=(-O2 -DSQLITE_OS_WIN=1 -DSQLITE_THREADSAFE=1
               -DSQLITE_ENABLE_COLUMN_METADATA=1 -DSQLITE_ENABLE_RTREE=1
               -DSQLITE_ENABLE_FTS5=1 -DSQLITE_ENABLE_JSON1=1 -DSQLITE_ENABLE_MATH_FUNCTIONS=1
               "-DSQLITE_API=__declspec(dllexport)")
  mkdir -p "$bld/win"
  "$triplet-gcc-posix" "${flags[@]}" -shared -o "$bld/win/libsqlite3-0.dll" \
    -Wl,--out-implib,"$bld/win/libsqlite3.dll.a" "$bld/sqlite3.c"
  install -d "$prefix/bin" "$prefix/lib/pkgconfig" "$prefix/include"
  install -m 644 "$bld/win/libsqlite3-0.dll" "$prefix/bin/"
  install -m 644 "$bld/win/libsqlite3.dll.a" "$prefix/lib/"
  install -m 644 "$bld/sqlite3.h" "$src/src/sqlite3ext.h" "$prefix/include/"
  local plain="${version[sqlite3]#*:}"
  cat >"$prefix/lib/pkgconfig/sqlite3.pc" <<EOF
prefix=$prefix
libdir=\${prefix}/lib
includedir=\${prefix}/include

Name: SQLite
Description: SQL database engine
Version: ${plain%%-*}
Libs: -L\${libdir} -lsqlite3
Cflags: -I\${includedir}
EOF
}

# Without iconv, ICU, lzma and zlib: UTF-8, UTF-16 and the ISO-8859 family
# are built in, which is what GML files and schemas use.
build_libxml2() {
  local src bld
  src="$(fetch_source libxml2 "${version[libxml2]}")"
  bld="$(build_dir libxml2)"
  cmake_dependency "$src" "$bld" -DBUILD_SHARED_LIBS=ON \
    -DLIBXML2_WITH_ICONV=OFF -DLIBXML2_WITH_ICU=OFF -DLIBXML2_WITH_LZMA=OFF \
    -DLIBXML2_WITH_ZLIB=OFF -DLIBXML2_WITH_PYTHON=OFF -DLIBXML2_WITH_TESTS=OFF \
    -DLIBXML2_WITH_PROGRAMS=OFF
}

build_geos() {
  local src bld
  src="$(fetch_source geos "${version[geos]}")"
  bld="$(build_dir geos)"
  cmake_dependency "$src" "$bld" -DBUILD_SHARED_LIBS=ON -DBUILD_BENCHMARKS=OFF -DBUILD_DOCUMENTATION=OFF
}

# With the sqlite3 above; no TIFF grids and no network grids. proj.db is
# made by the build machine's sqlite3 and installed in share/proj.
build_proj() {
  local src bld
  src="$(fetch_source proj "${version[proj]}")"
  bld="$(build_dir proj)"
  cmake_dependency "$src" "$bld" -DBUILD_SHARED_LIBS=ON \
    -DENABLE_TIFF=OFF -DENABLE_CURL=OFF -DBUILD_APPS=OFF -DBUILD_PROJSYNC=OFF \
    -DSQLite3_INCLUDE_DIR="$prefix/include" -DSQLite3_LIBRARY="$prefix/lib/libsqlite3.dll.a" \
    -DEXE_SQLITE3="$(command -v sqlite3)"
}

# TLS through Windows' own Schannel and certificate store: no OpenSSL.
build_curl() {
  local src bld
  src="$(fetch_source curl "${version[curl]}")"
  bld="$(build_dir curl)"
  cmake_dependency "$src" "$bld" -DBUILD_SHARED_LIBS=ON -DBUILD_CURL_EXE=OFF \
    -DCURL_USE_SCHANNEL=ON -DCURL_USE_OPENSSL=OFF -DCURL_USE_LIBSSH2=OFF \
    -DCURL_ZLIB=OFF -DCURL_BROTLI=OFF -DCURL_ZSTD=OFF -DUSE_NGHTTP2=OFF -DUSE_LIBIDN2=OFF \
    -DCURL_DISABLE_LDAP=ON -DENABLE_UNICODE=ON -DCURL_CA_BUNDLE=none -DCURL_CA_PATH=none
}

build_dependency() {
  local pkg="$1"
  if built "$pkg"; then
    echo "$pkg ${version[$pkg]}: ya construido"
    return
  fi
  log "Building $pkg ${version[$pkg]}"
  local start=$SECONDS
  "build_${pkg//-/_}"
  mark_built "$pkg"
  echo "$pkg: $((SECONDS - start)) s"
}

stage_deps() {
  local pkg
  for pkg in pugixml sqlite3 libxml2 geos proj curl; do
    build_dependency "$pkg"
  done
}

# Each library must link into a Windows program and work there: one small
# program per library, run under wine with the prefix's DLLs beside it.
check_deps() {
  local dir="$builds/checks" gccdir
  rm -rf "$dir"
  mkdir -p "$dir"
  gccdir="$(dirname "$($triplet-g++-posix -print-libgcc-file-name)")"
  cp "$prefix"/bin/*.dll "$gccdir/libstdc++-6.dll" "$gccdir/libgcc_s_seh-1.dll" \
     "/usr/$triplet/lib/libwinpthread-1.dll" "$dir/"
  cat >"$dir/pugixml.cpp" <<'END'
#include <pugixml.hpp>
#include <cstdio>
int main() {
  pugi::xml_document doc;
  if (!doc.load_string("<parcela ref='9872023VH5797S'/>")) return 1;
  std::printf("pugixml %s\n", doc.child("parcela").attribute("ref").value());
  return 0;
}
END
  cat >"$dir/sqlite3.c" <<'END'
#include <sqlite3.h>
#include <stdio.h>
/* A file on disk, not only :memory:, so that Windows' file layer is used. */
int main(void) {
  sqlite3 *db;
  sqlite3_stmt *st;
  if (sqlite3_open("check.sqlite", &db) != SQLITE_OK) return 1;
  if (sqlite3_exec(db, "DROP TABLE IF EXISTS t; CREATE TABLE t(x); INSERT INTO t VALUES (41);",
                   0, 0, 0) != SQLITE_OK) return 2;
  if (sqlite3_prepare_v2(db, "SELECT x + 1, sqlite_version() FROM t", -1, &st, 0) != SQLITE_OK) return 3;
  if (sqlite3_step(st) != SQLITE_ROW) return 4;
  printf("sqlite3 %s: %d\n", sqlite3_column_text(st, 1), sqlite3_column_int(st, 0));
  sqlite3_finalize(st);
  return sqlite3_close(db) == SQLITE_OK ? 0 : 5;
}
END
  cat >"$dir/libxml2.c" <<'END'
#include <libxml/parser.h>
#include <stdio.h>
#include <string.h>
/* Latin-1 in, UTF-8 out: the encodings built in without iconv. */
int main(void) {
  const char xml[] = "<?xml version='1.0' encoding='ISO-8859-1'?><municipio>Le\xf3n</municipio>";
  xmlDocPtr doc = xmlReadMemory(xml, (int)strlen(xml), "check.xml", NULL, XML_PARSE_NONET);
  if (!doc) return 1;
  xmlChar *text = xmlNodeGetContent(xmlDocGetRootElement(doc));
  int ok = strcmp((const char *)text, "Le\xc3\xb3n") == 0;
  printf("libxml2 %s: %s\n", LIBXML_DOTTED_VERSION, ok ? "ok" : "mal");
  xmlFree(text);
  xmlFreeDoc(doc);
  return ok ? 0 : 2;
}
END
  cat >"$dir/geos.c" <<'END'
#include <geos_c.h>
#include <stdio.h>
int main(void) {
  GEOSContextHandle_t h = GEOS_init_r();
  GEOSWKTReader *r = GEOSWKTReader_create_r(h);
  GEOSGeometry *g = GEOSWKTReader_read_r(h, r, "POLYGON((0 0,10 0,10 10,0 10,0 0))");
  double area = 0;
  if (!g || !GEOSArea_r(h, g, &area)) return 1;
  printf("geos %s: %.1f\n", GEOSversion(), area);
  GEOSGeom_destroy_r(h, g);
  GEOSWKTReader_destroy_r(h, r);
  GEOS_finish_r(h);
  return area == 100.0 ? 0 : 2;
}
END
  cat >"$dir/proj.c" <<'END'
#include <proj.h>
#include <math.h>
#include <stdio.h>
/* ETRS89 / UTM 30N to geographic: needs proj.db, found through argv[1]. */
int main(int argc, char **argv) {
  if (argc < 2) return 1;
  PJ_CONTEXT *ctx = proj_context_create();
  const char *paths[] = {argv[1]};
  proj_context_set_search_paths(ctx, 1, paths);
  PJ *p = proj_create_crs_to_crs(ctx, "EPSG:25830", "EPSG:4258", NULL);
  if (!p) return 2;
  PJ_COORD c = proj_coord(440000, 4474000, 0, 0);
  c = proj_trans(p, PJ_FWD, c);
  printf("proj %s: %.4f %.4f\n", proj_info().release, c.v[0], c.v[1]);
  int ok = fabs(c.v[0] - 40.41) < 0.05 && fabs(c.v[1] + 3.70) < 0.05;
  proj_destroy(p);
  proj_context_destroy(ctx);
  return ok ? 0 : 3;
}
END
  cat >"$dir/curl.c" <<'END'
#include <curl/curl.h>
#include <stdio.h>
#include <string.h>
int main(void) {
  if (curl_global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) return 1;
  curl_version_info_data *v = curl_version_info(CURLVERSION_NOW);
  int ok = v->ssl_version && strstr(v->ssl_version, "Schannel") && (v->features & CURL_VERSION_SSL);
  printf("curl %s: %s\n", v->version, v->ssl_version ? v->ssl_version : "sin TLS");
  CURL *c = curl_easy_init();
  if (!c) return 2;
  curl_easy_cleanup(c);
  curl_global_cleanup();
  return ok ? 0 : 3;
}
END
  local lib module src cc
  local -A modules=([pugixml]=pugixml [sqlite3]=sqlite3 [libxml2]=libxml-2.0 [geos]=geos [proj]=proj [curl]=libcurl)
  for lib in pugixml sqlite3 libxml2 geos proj curl; do
    built "$lib" || continue
    module="${modules[$lib]}"
    if [ -f "$dir/$lib.cpp" ]; then src="$dir/$lib.cpp"; cc="$triplet-g++-posix"; else src="$dir/$lib.c"; cc="$triplet-gcc-posix"; fi
    # shellcheck disable=SC2046
    "$cc" -O1 -Wall -Wextra -o "$dir/check-$lib.exe" "$src" \
      $(PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig:$prefix/share/pkgconfig" PKG_CONFIG_PATH="" pkg-config --cflags --libs "$module")
  done
  local wine
  wine="$(command -v wine64 || true)"
  [ -n "$wine" ] || [ ! -x /usr/lib/wine/wine64 ] || wine=/usr/lib/wine/wine64
  if [ -z "$wine" ]; then
    echo "Sin wine64: las pruebas se han compilado pero no ejecutado." >&2
    return
  fi
  # proj.db's folder as Windows sees it (wine's Z: is the root).
  local failed=0 projdata="Z:${prefix//\//\\}\\share\\proj"
  for lib in pugixml sqlite3 libxml2 geos proj curl; do
    [ -f "$dir/check-$lib.exe" ] || continue
    if ! (cd "$dir" && WINEPREFIX="$cache/wine" WINEDEBUG=-all "$wine" "check-$lib.exe" "$projdata" 2>/dev/null | tr -d '\r'; exit "${PIPESTATUS[0]}"); then
      echo "$lib: la prueba falla bajo wine" >&2
      failed=1
    fi
  done
  return "$failed"
}

# --- Stage 2: Qt -----------------------------------------------------------
#
# Debian's qt6-base, cross-configured for win32-g++ with the host's Qt of the
# very same version running moc, rcc and uic. The +dfsg source has no
# 3rdparty/wintab, hence no tablet events; the dynamicgl feature is off, as
# in the trial build that worked; windeployqt is not built when
# cross-compiling (stage 3 copies the DLLs and plugins itself).
build_qt6_base() {
  local src bld host
  host="$(dpkg-query -W -f='${Version}' qt6-base-dev)"
  # The upstream versions must match; Debian's revisions may differ.
  if [ "${host%-*}" != "${version[qt6-base]%-*}" ]; then
    echo "La Qt del sistema ($host) no es la misma versión que la fuente de qt6-base (${version[qt6-base]})." >&2
    exit 1
  fi
  src="$(fetch_source qt6-base "${version[qt6-base]}")"
  bld="$(build_dir qt6-base)"
  # Qt's bundled image, font and regex libraries, never a mingw package that
  # happens to be installed: nothing more to ship. No SQL (the +dfsg source
  # has no sqlite of its own) and no D-Bus, which Windows lacks.
  cmake_dependency "$src" "$bld" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake" \
    -DQT_QMAKE_TARGET_MKSPEC=win32-g++ \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
    -DFEATURE_tabletevent=OFF -DFEATURE_dynamicgl=OFF \
    -DFEATURE_direct2d=ON -DFEATURE_testlib=ON \
    -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_openssl=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
    -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_system_pcre2=OFF -DFEATURE_system_doubleconversion=OFF
}

stage_qt() {
  build_dependency qt6-base
}

# --- Stage 3: the project --------------------------------------------------
#
# The "windows" preset reads VADREL_MINGW_PREFIX from the environment. Then
# the runtime is laid beside the programs so build/windows/bin runs as is
# (under wine too): the prefix's DLLs, mingw's C++ runtime, Qt's plugins and
# PROJ's database.
stage_app() {
  log "Building Vadrel for Windows"
  cd "$here"
  cmake --preset windows
  # The programs and what they read; the test programs are test-windows.sh's.
  cmake --build --preset windows -j "$jobs" --target vadrel vadrel-cli ayuda iconos
  local bin="$here/build/windows/bin" gccdir
  gccdir="$(dirname "$($triplet-g++-posix -print-libgcc-file-name)")"
  cp -u "$prefix"/bin/*.dll "$bin/"
  cp -u "$gccdir/libstdc++-6.dll" "$gccdir/libgcc_s_seh-1.dll" "$bin/"
  cp -u "/usr/$triplet/lib/libwinpthread-1.dll" "$bin/"
  local plugins
  for plugins in platforms styles imageformats; do
    if [ -d "$prefix/plugins/$plugins" ]; then
      mkdir -p "$bin/$plugins"
      cp -u "$prefix/plugins/$plugins"/*.dll "$bin/$plugins/"
    fi
  done
  mkdir -p "$here/build/windows/share/proj"
  cp -u "$prefix/share/proj/proj.db" "$here/build/windows/share/proj/"
  # Qt's own dialogs in Spanish, from Debian's translations (the same Qt
  # version), found through qt.conf beside the programs.
  mkdir -p "$bin/translations"
  cp -u /usr/share/qt6/translations/qtbase_es.qm "$bin/translations/"
  printf '[Paths]\r\nPrefix = .\r\nPlugins = .\r\nTranslations = translations\r\n' >"$bin/qt.conf"
  echo "Programas en $bin"
}

# --- Stage 4: the installer and the zip ------------------------------------
#
# The staged folder is laid out as installed: bin\ (the programs, every DLL
# they load, Qt's plugins and translations, qt.conf, the icon) and share\
# (share\vadrel as `cmake --install` lays it, share\proj\proj.db). The
# programs find share\vadrel and proj.db from their own folder.
stage_package() {
  log "Packaging"
  local out="$here/build/windows" stage="$here/build/windows/stage"
  local version
  version="$(sed -n 's/^project(vadrel VERSION \([0-9.]*\).*/\1/p' "$here/CMakeLists.txt")"
  rm -rf "$stage"
  cmake --install "$out" --prefix "$stage" >/dev/null
  local bin="$out/bin" name
  for name in "$bin"/*.dll "$bin/qt.conf"; do cp "$name" "$stage/bin/"; done
  for name in platforms styles imageformats translations; do
    [ -d "$bin/$name" ] && cp -r "$bin/$name" "$stage/bin/"
  done
  cp "$out/vadrel.ico" "$stage/bin/"
  mkdir -p "$stage/share/proj"
  cp "$out/share/proj/proj.db" "$stage/share/proj/"
  check_staged_dlls "$stage/bin"
  [ -f "$stage/share/vadrel/leaflet/leaflet.js" ] ||
    echo "Aviso: faltan los scripts del mapa (web/node_modules; scripts/deps.sh los instala)" >&2

  local setup="$out/vadrel-$version-setup.exe" zip="$out/vadrel-$version-windows.zip"
  makensis -V2 -DSTAGE="$stage" -DVERSION="$version" -DOUTFILE="$setup" \
    "$here/packaging/windows/vadrel.nsi"
  # The portable zip: the same folder under Vadrel-<version>\.
  rm -f "$zip"
  local top="$out/zip/Vadrel-$version"
  rm -rf "$out/zip"
  mkdir -p "$out/zip"
  cp -r "$stage" "$top"
  (cd "$out/zip" && cmake -E tar cf "$zip" --format=zip "Vadrel-$version")
  rm -rf "$out/zip"
  echo "Instalador: $setup ($(du -h "$setup" | cut -f1))"
  echo "Zip: $zip ($(du -h "$zip" | cut -f1))"
}

# Every DLL a program or plugin in the folder imports is either there or
# one of Windows' own: a missing one would stop the program at start on a
# machine without the build's prefix.
check_staged_dlls() {
  local folder="$1" file dll missing=0
  local wine_system=/usr/lib/x86_64-linux-gnu/wine/x86_64-windows
  local -A present=()
  for file in "$folder"/*.dll; do present["$(basename "${file,,}")"]=1; done
  while IFS= read -r -d '' file; do
    while read -r dll; do
      dll="${dll,,}"
      [ -n "${present[$dll]:-}" ] && continue
      case "$dll" in
        api-ms-win-*|ext-ms-*) continue ;;
      esac
      # Windows' own libraries, as wine provides them.
      [ -f "$wine_system/$dll" ] && continue
      echo "Falta $dll, que carga $(basename "$file")" >&2
      missing=1
    done < <($triplet-objdump -p "$file" | sed -n 's/^\s*DLL Name: //p')
  done < <(find "$folder" \( -name '*.exe' -o -name '*.dll' \) -print0)
  ((missing == 0)) || { echo "Faltan DLL en $folder" >&2; return 1; }
}

install_packages
ensure_deb_src
compute_prefix
echo "Prefijo: $prefix"
case "$stage" in
  deps) stage_deps; check_deps ;;
  qt)   stage_deps; stage_qt ;;
  app)  stage_deps; stage_qt; stage_app ;;
  package) stage_deps; stage_qt; stage_app; stage_package ;;
  all)  stage_deps; check_deps; stage_qt; stage_app; stage_package ;;
esac
