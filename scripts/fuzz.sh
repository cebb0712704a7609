#!/usr/bin/env bash
# Fuzzes one target of tests/fuzz for a while, one process on one core.
#   scripts/fuzz.sh NAME SECONDS [EXTRA_CORPUS_DIR...]
# NAME: dxf_scan list_parse coord_file numeric_text parcel_reader
#       building_reader parcel_grouping page_template gml_check
# New inputs go to tests/fuzz/corpus/NAME, which is then minimised; crashing
# inputs go to tests/fuzz/crashes/NAME. Extra folders are only read.
set -euo pipefail

if [[ $# -lt 2 ]]; then
  echo "usage: $0 NAME SECONDS [EXTRA_CORPUS_DIR...]" >&2
  exit 2
fi
name=$1
seconds=$2
shift 2

root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/fuzz
corpus=$root/tests/fuzz/corpus/$name
crashes=$root/tests/fuzz/crashes/$name

dict=
case $name in
  numeric_text) max_len=4096 ;;
  page_template) max_len=16384 ;;
  parcel_grouping) max_len=98304 dict=gml.dict ;;
  parcel_reader | building_reader | gml_check) max_len=65536 dict=gml.dict ;;
  dxf_scan) max_len=65536 dict=dxf.dict ;;
  list_parse) max_len=65536 dict=list.dict ;;
  coord_file) max_len=65536 ;;
  *) echo "unknown target: $name" >&2; exit 2 ;;
esac
dict_arg=()
[[ -n $dict ]] && dict_arg=(-dict="$root/tests/fuzz/$dict")

# VADREL_FUZZ_BUILD=0 runs the fuzzer as last built.
if [[ ${VADREL_FUZZ_BUILD:-1} != 0 ]]; then
  if [[ ! -f $build/build.ninja ]]; then
    CXX=${CXX:-clang++} cmake -S "$root" -B "$build" -G Ninja -DVADREL_FUZZ=ON -DVADREL_TESTS=ON \
      -DVADREL_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
  fi
  cmake --build "$build" -j1 --target "${name}_fuzz"
fi

mkdir -p "$corpus" "$crashes"
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
fuzzer=$build/bin/${name}_fuzz
status=0
"$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len="$max_len" \
  -artifact_prefix="$crashes/" -print_final_stats=1 "${dict_arg[@]}" "$corpus" "$@" || status=$?

# Only the inputs that add coverage stay.
fresh=$(mktemp -d)
trap 'rm -rf "$fresh"' EXIT
"$fuzzer" -merge=1 -timeout=10 -rss_limit_mb=2048 -max_len="$max_len" "$fresh" "$corpus" >/dev/null 2>&1 &&
  find "$corpus" -type f -delete && cp "$fresh"/* "$corpus"/ 2>/dev/null || true
echo "corpus $name: $(find "$corpus" -type f | wc -l) files, $(du -sh "$corpus" | cut -f1)"
exit $status
