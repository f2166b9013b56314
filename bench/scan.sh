#!/usr/bin/env bash
# Ringing up on a large shop: generates 200,000 items, 100,000 members and 10,000 orders, then
# times Enter in the barcode field and in the card field on the real till window (offscreen,
# a basket of 100 lines) against the same statements with bare SQLite calls, on the same file
# and on a copy without the shop's indexes. Prints the medians and the ratios.
#   bench/scan.sh [BUILD_DIR] [benchmark options]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${1:-$root/build}"
shift || true
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$build/src/shopdb" --home "$work/shop" init >/dev/null
start=$(date +%s)
"$build/src/shopdb" --home "$work/shop" gen --goods 200000 --members 100000 --orders 10000 --seed 1 >/dev/null 2>&1
echo "generated in $(( $(date +%s) - start )) s: $(du -h "$work/shop/dat.db" | cut -f1) dat.db"
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/run"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
"$build/bench/ringup_bench" --home "$work/shop" --bare "$work/bare" "$@"
