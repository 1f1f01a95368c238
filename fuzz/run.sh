#!/usr/bin/env bash
# Runs one fuzz target from its seed corpus.
#
#   fuzz/run.sh TARGET SECONDS [libFuzzer options...]
#
# TARGET is the name without "fuzz_" (ini, bmp, theme_archive, ...). The seed corpus
# fuzz/corpus/TARGET is read, never written: inputs the run finds new go to
# $TOVALIN_FUZZ_WORK/TARGET/corpus, and an input that makes the target fail is saved in
# $TOVALIN_FUZZ_WORK/TARGET/findings and printed. fuzz/TARGET.options and fuzz/TARGET.dict add
# the target's own options and dictionary. The binaries come from the build folder
# (build/fuzz-build, or $TOVALIN_FUZZ_BIN): configure with -DTOVALIN_FUZZ=ON and build first.
set -euo pipefail

if [ $# -lt 2 ]; then
  echo "usage: $0 TARGET SECONDS [libFuzzer options...]" >&2
  exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
target=${1#fuzz_}
seconds=$2
shift 2

bin_dir=${TOVALIN_FUZZ_BIN:-$here/../build/fuzz-build}
binary=$bin_dir/fuzz_$target
if [ ! -x "$binary" ]; then
  echo "no fuzz target $binary: configure with -DTOVALIN_FUZZ=ON (needs clang) and build" >&2
  exit 2
fi
work=${TOVALIN_FUZZ_WORK:-$bin_dir/work}/$target
mkdir -p "$work/corpus" "$work/findings"

options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
         -artifact_prefix="$work/findings/")
if [ -f "$here/$target.options" ]; then
  while read -r line; do
    [ -n "$line" ] && [ "${line#\#}" = "$line" ] && options+=("$line")
  done < "$here/$target.options"
fi
[ -f "$here/$target.dict" ] && options+=(-dict="$here/$target.dict")

# Leaks are findings too; Qt's own one-time allocations are not leaks of ours.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:symbolize=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$here/lsan.supp:print_suppressions=0}
export QT_LOGGING_RULES=${QT_LOGGING_RULES:-*=false}

exec "$binary" "${options[@]}" "$@" "$work/corpus" "$here/corpus/$target"
