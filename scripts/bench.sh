#!/usr/bin/env bash
# Builds the sales histories once (a month, and five years of about a million
# journal lines) and runs the benchmarks on both; prints the table at the end.
set -euo pipefail
build=${BUILD:-build}
data="$build/bench-data"
mkdir -p "$data"
if [ ! -f "$data/small.db" ]; then
    echo "Historique court (30 jours)..."
    "$build/bench/qorgen" "$data/small.tmp" --days 30 && mv "$data/small.tmp" "$data/small.db"
fi
if [ ! -f "$data/large.db" ]; then
    echo "Historique long (5 ans, environ un million de lignes de journal : quelques minutes)..."
    rm -f "$data/large.tmp"
    "$build/bench/qorgen" "$data/large.tmp" --days 1826 && mv "$data/large.tmp" "$data/large.db"
fi
"$build/bench/qorbench" --small "$data/small.db" --large "$data/large.db" --benchmark_color=false "$@"
