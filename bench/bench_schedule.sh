#!/bin/sh
# The opening schedule through velunar-cli, as a user runs it: CPU time and peak memory of whole processes,
# with and without the clock spans, at a fixed place and at a tz-database zone whose clocks change twice a
# year.
#   bench/bench_schedule.sh [BUILD_DIR]        (default: build)
# Needs /usr/bin/time (Debian package "time") for the memory column.
set -eu
bin="${1:-build}/bin/velunar-cli"
[ -x "$bin" ] || { echo "no $bin: build first" >&2; exit 1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

run() {
    label=$1
    shift
    if [ -x /usr/bin/time ]; then
        /usr/bin/time -f "%U %S %M" -o "$out/t" "$bin" schedule "$@" >"$out/stdout"
        read -r user sys kb <"$out/t"
        cpu=$(echo "$user $sys" | awk '{printf "%.2f", $1 + $2}')
    else
        start=$(date +%s.%N)
        "$bin" schedule "$@" >"$out/stdout"
        cpu=$(echo "$start $(date +%s.%N)" | awk '{printf "%.2f (wall)", $2 - $1}')
        kb="?"
    fi
    lines=$(wc -l <"$out/stdout")
    printf '%8s s CPU %8s KB peak %9s lines  %s\n' "$cpu" "$kb" "$lines" "$label"
}

echo "machine: $(nproc) cores, $(uname -m), $(grep -m1 'model name' /proc/cpuinfo 2>/dev/null | cut -d: -f2 | sed 's/^ *//')"
run "100 years, aligned" 1950-01-01 2049-12-31 --china --longitude 116.28
run "100 years, aligned, --clock" 1950-01-01 2049-12-31 --clock --china --longitude 116.28
run "100 years, --csv --clock" 1950-01-01 2049-12-31 --csv --clock --china --longitude 116.28
run "100 years, --clock, Europe/Paris" 1950-01-01 2049-12-31 --clock --tz Europe/Paris --ew 东经 --lon 2.35
run "100 years, --clock, 区分夜子时早子时" 1950-01-01 2049-12-31 --clock --mode 1 --china --longitude 116.28
run "100 years, --clock, astronomical 均时差" 1950-01-01 2049-12-31 --clock --eot astro --china --longitude 116.28
