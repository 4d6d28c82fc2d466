#!/bin/sh
# The reverse lookup through velunar-cli, as a user runs it: CPU time and peak memory of whole processes.
#   bench/bench_reverse.sh [BUILD_DIR]        (default: build)
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
        /usr/bin/time -f "%U %S %M" -o "$out/t" "$bin" reverse "$@" >"$out/stdout"
        read -r user sys kb <"$out/t"
        cpu=$(echo "$user $sys" | awk '{printf "%.2f", $1 + $2}')
    else
        start=$(date +%s.%N)
        "$bin" reverse "$@" >"$out/stdout"
        cpu=$(echo "$start $(date +%s.%N)" | awk '{printf "%.2f (wall)", $2 - $1}')
        kb="?"
    fi
    lines=$(wc -l <"$out/stdout")
    printf '%8s s CPU %8s KB peak %9s lines  %s\n' "$cpu" "$kb" "$lines" "$label"
}

echo "machine: $(nproc) cores, $(uname -m), $(grep -m1 'model name' /proc/cpuinfo 2>/dev/null | cut -d: -f2 | sed 's/^ *//')"
run "公孙 100 years, standard output" 公孙 1950-01-01 2049-12-31
run "公孙 100 years, --out (GBK file)" 公孙 1950-01-01 2049-12-31 --out "$out/report.txt"
run "公孙 1000 years, standard output" 公孙 1950-01-01 2949-12-31
run "公孙 1000 years, --out (GBK file)" 公孙 1950-01-01 2949-12-31 --out "$out/report.txt"
run "a name that opens nowhere, 10 years" 不是穴位 2000-01-01 2009-12-31
run "a name that opens nowhere, 9999 years" 不是穴位 0001-01-01 9999-12-31
