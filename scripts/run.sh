#!/usr/bin/env bash
# Installs what is needed, builds, and starts the viewer with a measurement file
# open (default: the PM01BS02 sample). Without a display it does the main job
# headless: the run's summary, and its chart and evaluation report as PDF files.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh >/dev/null
FILE=${1:-samples/pm01bs02_sample.pbs}

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/src/shell/kurvex --open "$FILE"
fi

echo "No display (DISPLAY and WAYLAND_DISPLAY are unset): printing the summary and writing chart and report as PDF instead."
CLI=build/src/cli/kurvex-cli
"$CLI" info "$FILE"
mkdir -p out
NAME=$(basename "${FILE%.*}")
"$CLI" render "$FILE" --chart -o "out/$NAME-chart.pdf"
if "$CLI" render "$FILE" --report -o "out/$NAME-report.pdf" 2>/dev/null; then
  echo "Chart: out/$NAME-chart.pdf, evaluation report: out/$NAME-report.pdf"
else
  echo "Chart: out/$NAME-chart.pdf (the run has no evaluation report pages)"
fi
