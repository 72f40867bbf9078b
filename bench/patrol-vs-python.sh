#!/usr/bin/env bash
# The patrol series through `lumvane-cli patrol` and the same job in Python
# (astropy + photutils from Debian's packages), side by side: files per second,
# peak memory and their ratio. Not run in CI.
#   bench/patrol-vs-python.sh [CLI] [FILES] [SIDE]
# CLI defaults to build/release/bin/lumvane-cli; 100 files of 2048 x 2048 with
# a dark frame, a flat field and 20 stars (St1..St19, Var1), one radius (8),
# are generated into a temporary folder, which is removed afterwards. On a
# processor with AVX-512, a Release build configured with
# -DLUMVANE_WIDEST_CLONE=avx2 gives the figures of one without it.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
cli="${1:-$here/../build/release/bin/lumvane-cli}"
files="${2:-100}"
side="${3:-2048}"
python=/usr/bin/python3  # Debian's, with python3-astropy and python3-photutils

folder="$(mktemp -d)"
trap 'rm -rf "$folder"' EXIT
echo "Generating $files files of $side x $side in $folder ..."
"$python" "$here/patrol_series.py" generate "$folder" "$files" "$side" 20
# Both read from the page cache.
cat "$folder"/* > /dev/null

# Seconds and peak kilobytes of a command, from GNU time.
measure() {
    /usr/bin/time -f "%e %M" -o "$folder/time.txt" "$@" > "$folder/out.txt" 2> "$folder/err.txt" \
        || { cat "$folder/err.txt" >&2; exit 1; }
    cat "$folder/time.txt"
}

read -r cliSeconds cliKb < <(measure "$cli" patrol "$folder/field.001" --stars "$folder/stars.txt" \
    --dark "$folder/dark.fts" --flat "$folder/flat.fts" --radius 8 --search 2 -o "$folder/results.txt")
grep -q "^$files files measured" "$folder/err.txt" || { echo "lumvane-cli did not walk every file" >&2; exit 1; }
read -r pySeconds pyKb < <(measure "$python" "$here/patrol_series.py" measure "$folder" 8 2)
# The Python side reports its own rate over its loop (its start-up and
# imports left out); lumvane-cli's rate includes everything.
pyRate="$(cat "$folder/out.txt")"

awk -v n="$files" -v cs="$cliSeconds" -v ck="$cliKb" -v ps="$pySeconds" -v pk="$pyKb" -v pr="$pyRate" 'BEGIN {
    cr = n / cs
    printf "%-26s %10s %14s\n", "", "files/s", "peak memory"
    printf "%-26s %10.1f %11.1f MB\n", "lumvane-cli patrol", cr, ck / 1024
    printf "%-26s %10.1f %11.1f MB   (whole run %.2f s)\n", "astropy + photutils", pr, pk / 1024, ps
    printf "ratio: %.2f x the Python pipeline'"'"'s files per second (target 5 x); peak memory target 350 MB\n", cr / pr
}'
