#!/bin/sh
# Builds the FITS reader's fuzz target with clang and runs it.
#   bench/fuzz-fits.sh SECONDS [BUILD_DIR] [extra libFuzzer options...]
# New inputs go to BUILD_DIR/fuzz-corpus (the seeds in fuzz/corpus/fits stay
# as they are); crashes land in BUILD_DIR/fuzz-findings as crash-*, oom-*,
# leak-* or timeout-* files, each to be turned into a regression test.
set -eu

if [ $# -lt 1 ]; then
    echo "usage: $0 SECONDS [BUILD_DIR] [libFuzzer options...]" >&2
    exit 2
fi
seconds=$1
shift
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:-$source_dir/build/fuzz}
[ $# -gt 0 ] && shift

CXX=${CXX:-clang++} cmake -S "$source_dir" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DLUMVANE_FUZZ=ON -DLUMVANE_TESTS=OFF -DLUMVANE_SANITIZE=OFF >/dev/null
cmake --build "$build_dir" --target lumvane_fuzz_fits -j2

mkdir -p "$build_dir/fuzz-corpus" "$build_dir/fuzz-findings"
# A header may ask for a 32767 x 32767 plane (2 GB): the reader is allowed to
# try, so the memory limits sit above that.
"$build_dir/bin/lumvane_fuzz_fits" "$build_dir/fuzz-corpus" "$source_dir/fuzz/corpus/fits" \
    -max_total_time="$seconds" -rss_limit_mb=5000 -malloc_limit_mb=4500 -timeout=30 \
    -dict="$source_dir/fuzz/fits.dict" -artifact_prefix="$build_dir/fuzz-findings/" -print_final_stats=1 "$@" &
fuzzer=$!
status=0
wait $fuzzer || status=$?
rm -f "/dev/shm/lumvane-fuzz-$fuzzer.fits" "${TMPDIR:-/tmp}/lumvane-fuzz-$fuzzer.fits"
exit $status
