#!/bin/sh
# Measures the cold start of `lumvane FILE` until the picture is shown, on a
# 1024 x 768 Xvfb screen, for a sample-sized and a 4096 x 4096 file, and the
# in-window open-to-picture benchmarks on the same display.
#   bench/cold-start.sh [BUILD_DIR]   (default build/release, LUMVANE_BENCH=ON)
set -eu
build=${1:-build/release}
bin="$build/bin"
for program in lumvane lumvane-bench-coldstart lumvane-bench-open; do
    [ -x "$bin/$program" ] || { echo "missing $bin/$program: build with -DLUMVANE_BENCH=ON" >&2; exit 1; }
done
run() {
    xvfb-run -a -s "-screen 0 1024x768x24" "$@"
}
run "$bin/lumvane-bench-coldstart" "$bin/lumvane" 512 10
run "$bin/lumvane-bench-coldstart" "$bin/lumvane" 4096 10
run "$bin/lumvane-bench-open" --benchmark_min_time=1
