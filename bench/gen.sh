#!/usr/bin/env bash
# Timed run of the shop tool at the scale of a busy shop after some years: generating the data,
# then opening the file (key derivation included) and reading from it.
#   bench/gen.sh [BUILD_DIR] [GOODS MEMBERS ORDERS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${1:-$root/build}"
goods="${2:-200000}"; members="${3:-100000}"; orders="${4:-1000000}"
shopdb="$build/src/shopdb"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT

"$shopdb" --home "$home" init >/dev/null
start=$(date +%s.%N)
"$shopdb" --home "$home" gen --goods "$goods" --members "$members" --orders "$orders" --seed 1 2>/dev/null
end=$(date +%s.%N)
printf 'gen: %.1f s for %s goods, %s members, %s orders\n' "$(echo "$end - $start" | bc)" "$goods" "$members" "$orders"
printf 'dat.db: %s bytes (%s)\n' "$(stat -c %s "$home/dat.db")" "$(du -h "$home/dat.db" | cut -f1)"
"$shopdb" --home "$home" sql "select count(*) from order_detail" | sed 's/^/order lines: /'
for i in 1 2 3; do
    start=$(date +%s.%N)
    "$shopdb" --home "$home" sql "select name from goods where barcode='6900000100000'" >/dev/null
    end=$(date +%s.%N)
    printf 'open + one lookup: %.3f s\n' "$(echo "$end - $start" | bc)"
done
