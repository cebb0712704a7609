#!/bin/sh
# Runs a Windows program built here (the help PDF's and the icons' makers)
# under wine, finding the dependencies', mingw's and Qt's DLLs and plugins.
# Used as CMAKE_CROSSCOMPILING_EMULATOR by cmake/mingw-w64-x86_64.cmake.
set -e
prefix="${VADREL_MINGW_PREFIX:?VADREL_MINGW_PREFIX is not set}"
triplet=x86_64-w64-mingw32
gccdir="$(dirname "$($triplet-g++-posix -print-libgcc-file-name)")"
# wine's Z: drive is the root.
win() { printf 'Z:%s' "$1" | tr / '\\'; }
WINEPATH="$(win "$prefix/bin");$(win "$gccdir");$(win "/usr/$triplet/lib")"
# wine hides the Unix QT_* variables from Windows programs and passes
# WINEQT_* ones under the QT_* name instead (QT_QPA_PLATFORM=offscreen).
for name in $(env | sed -n 's/^\(QT_[A-Za-z0-9_]*\)=.*/\1/p'); do
  eval "export WINE$name=\"\$$name\""
done
WINEQT_PLUGIN_PATH="$(win "$prefix/plugins")"
# Under wine the offscreen platform's Windows font engine hands the PDF
# writer no font data: every glyph comes out as a black box. The windows
# platform with FreeType embeds the real fonts (wine shows it the host's),
# and needs no display for painting into files.
if [ "${QT_QPA_PLATFORM:-}" = offscreen ]; then
  export WINEQT_QPA_PLATFORM="windows:fontengine=freetype"
fi
WINEPREFIX="${WINEPREFIX:-${VADREL_MINGW_CACHE:-$HOME/.cache/vadrel-mingw}/wine}"
WINEDEBUG="${WINEDEBUG:--all}"
export WINEPATH WINEQT_PLUGIN_PATH WINEPREFIX WINEDEBUG
if command -v wine64 >/dev/null; then exec wine64 "$@"; fi
exec /usr/lib/wine/wine64 "$@"
