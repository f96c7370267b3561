#!/usr/bin/env bash
# Installs what is needed, builds, and runs Kurvex's main job on a measurement file
# (default: the PM01BS02 sample): the summary of the run and its export text.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh >/dev/null
FILE=${1:-samples/pm01bs02_sample.pbs}
CLI=build/src/cli/kurvex-cli
"$CLI" info "$FILE"
mkdir -p out
OUT="out/$(basename "${FILE%.*}").exp"
"$CLI" export "$FILE" --decimal comma --separator semicolon -o "$OUT"
echo "Export written to $OUT (Windows-1252, shown here in UTF-8):"
head -n 12 "$OUT" | { iconv -f WINDOWS-1252 -t UTF-8 2>/dev/null || cat; }
