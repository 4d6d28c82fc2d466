#!/bin/sh
# `velunar-cli next` over a year and more of one treatment plan, as a user runs it: CPU time and peak memory
# of whole processes (start-up and the database included), against the goal of 0.1 s for a year.
#   bench/bench_next.sh [BUILD_DIR]        (default: build)
# Needs /usr/bin/time (Debian package "time") for the memory column.
set -eu
bin="${1:-build}/bin/velunar-cli"
[ -x "$bin" ] || { echo "no $bin: build first" >&2; exit 1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cp "$(dirname "$bin")/db1.sqlite" "$out/db1.sqlite"
db="$out/db1.sqlite"
"$bin" plan add 失眠 神门 内关 三阴交 照海 --db "$db"
"$bin" plan add 灵龟 公孙 内关 --doctrines linggui --db "$db"

run() {
    label=$1
    shift
    start=$(date +%s%N)
    if [ -x /usr/bin/time ]; then
        /usr/bin/time -f "%U %S %M" -o "$out/t" "$bin" next "$@" --db "$db" >"$out/stdout" 2>"$out/stderr"
        read -r user sys kb <"$out/t"
        cpu=$(echo "$user $sys" | awk '{printf "%.2f", $1 + $2}')
    else
        "$bin" next "$@" --db "$db" >"$out/stdout" 2>"$out/stderr"
        cpu="?"
        kb="?"
    fi
    wall=$(echo "$start $(date +%s%N)" | awk '{printf "%.3f", ($2 - $1) / 1e9}')
    lines=$(wc -l <"$out/stdout")
    last=$(tail -n 1 "$out/stdout" | grep -o -m1 '[0-9]\{4\}-[0-9][0-9]-[0-9][0-9]' | head -n 1)
    verdict=$(echo "$wall" | awk '{print ($1 < 0.1) ? "ok" : "SLOW"}')
    printf '%6s s wall %5s s CPU %4s %7s KB peak %5s openings, the last on %s  %s\n' "$wall" "$cpu" "$verdict" \
        "$kb" "$lines" "${last:--}" "$label"
}

echo "machine: $(nproc) cores, $(uname -m), $(grep -m1 'model name' /proc/cpuinfo 2>/dev/null | cut -d: -f2 | sed 's/^ *//')"
hours="--within 09:00-12:00,14:00-18:00 --days 1-5"
# shellcheck disable=SC2086
run "a year of 4 points, weekdays 09-12 and 14-18" --plan 失眠 --from "2026-01-01 00:00:00" --count 3300 $hours \
    --china --longitude 116.28
# shellcheck disable=SC2086
run "a year, --clock --json" --plan 失眠 --from "2026-01-01 00:00:00" --count 3300 $hours --clock --json \
    --china --longitude 116.28
# shellcheck disable=SC2086
run "a year, Europe/Paris (clocks change twice)" --plan 失眠 --from "2026-01-01 00:00:00" --count 3300 $hours \
    --tz Europe/Paris --ew 东经 --lon 2.35
run "three years searched: one doctrine, Sundays 03:00-03:05" --plan 灵龟 --from "2026-01-01 00:00:00" \
    --count 100000 --within 03:00-03:05 --days 7 --china --longitude 116.28
run "the next 10, as the panel asks" --plan 失眠 --from "2026-12-09 10:00:00" --china --longitude 116.28 $hours
