#!/usr/bin/env bash
# Measures Kurvex's speed and memory figures against their goals and prints each
# as a ratio measured in this run. Run by hand; it is not part of CI.
#
#   bash scripts/bench.sh [-n ROUNDS] [-p POINTS] [-d DATA_DIR]
#
#   -n ROUNDS    timed runs of each command, alternating (default 7; at least 5);
#                the viewer's figures repeat VIEW_REPEAT times (default 41)
#   -p POINTS    points of the generated runs (default 1000000, 100 km)
#   -d DATA_DIR  folder for the generated files, kept afterwards
#                (default: a temporary folder, removed at the end)
#
# It builds Release into build-rel/ (BUILD_DIR to change it), generates the big
# files with kurvex-samplegen, and times each command against md5sum of the same
# file, run alternately so that the load of the machine falls on both alike. The
# figure is the ratio of the medians. The machine should be otherwise idle; the
# load average is printed before and after.
#
# A figure is one call of `figure` (below); each measure_* function adds its
# figures. A figure against a time limit is the time as a share of the limit.
set -euo pipefail
cd "$(dirname "$0")/.."

ROUNDS=7
POINTS=1000000
DATA_DIR=
while getopts "n:p:d:h" option; do
    case $option in
    n) ROUNDS=$OPTARG ;;
    p) POINTS=$OPTARG ;;
    d) DATA_DIR=$OPTARG ;;
    *) sed -n '2,20p' "$0"; exit 2 ;;
    esac
done
if ((ROUNDS < 5)); then
    echo "bench.sh: at least 5 rounds are needed for a median" >&2
    exit 2
fi

BUILD_DIR=${BUILD_DIR:-build-rel}
JOBS=${JOBS:-2}

# ---- Build ---------------------------------------------------------------------------
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
echo "== Building Release into $BUILD_DIR"
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
cmake --build "$BUILD_DIR" -j "$JOBS" --target kurvex-cli kurvex-samplegen kurvex-procstat kurvex-viewbench >/dev/null
CLI=$BUILD_DIR/src/cli/kurvex-cli
PROCSTAT=$BUILD_DIR/bench/kurvex-procstat
VIEWBENCH=$BUILD_DIR/bench/kurvex-viewbench

# ---- Data ----------------------------------------------------------------------------
if [[ -z $DATA_DIR ]]; then
    DATA_DIR=$(mktemp -d "${TMPDIR:-/tmp}/kurvex-bench.XXXXXX")
    trap 'rm -rf "$DATA_DIR"' EXIT
fi
echo "== Generating runs of $POINTS points into $DATA_DIR"
"$BUILD_DIR/tools/kurvex-samplegen" --big "$POINTS" "$DATA_DIR"

# ---- Measuring -----------------------------------------------------------------------
# One timed run: prints "wall_s maxrss_kib cpu_s" of the command, its output discarded.
timed() {
    local stats
    stats=$("$PROCSTAT" "$@" 2>&1 >/dev/null | tail -n 1)
    if [[ $stats != *"exit=0"* ]]; then
        echo "bench.sh: failed: $* ($stats)" >&2
        exit 1
    fi
    awk '{ for (i = 1; i <= NF; ++i) { split($i, kv, "="); v[kv[1]] = kv[2] }
           print v["wall_s"], v["maxrss_kib"], v["cpu_s"] }' <<<"$stats"
}

median() {
    sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

maximum() {
    sort -g | tail -n 1
}

# figure NAME MEASURED REFERENCE GOAL TEXT: prints MEASURED/REFERENCE against GOAL.
failures=0
figure() {
    local name=$1 measured=$2 reference=$3 goal=$4 text=$5
    local ratio verdict
    ratio=$(awk -v m="$measured" -v r="$reference" 'BEGIN { printf "%.2f", m / r }')
    verdict=$(awk -v q="$ratio" -v g="$goal" 'BEGIN { print (q <= g) ? "ok" : "MISSED" }')
    [[ $verdict == ok ]] || failures=$((failures + 1))
    printf '%-38s %6s x   goal <= %-4s %-6s  %s\n' "$name" "$ratio" "$goal" "$verdict" "$text"
}

# measure_open FILE LABEL TIME_GOAL MEMORY_GOAL: kurvex-cli info against md5sum.
measure_open() {
    local file=$1 label=$2 time_goal=$3 memory_goal=$4
    local bytes cli_runs md5_runs
    bytes=$(stat -c %s "$file")
    cat "$file" >/dev/null  # into the page cache
    timed md5sum "$file" >/dev/null
    timed "$CLI" info "$file" >/dev/null
    cli_runs=$(mktemp)
    md5_runs=$(mktemp)
    for ((round = 0; round < ROUNDS; ++round)); do
        timed md5sum "$file" >>"$md5_runs"
        timed "$CLI" info "$file" >>"$cli_runs"
    done
    local cli_wall md5_wall cli_cpu md5_cpu rss_kib
    cli_wall=$(cut -d' ' -f1 "$cli_runs" | median)
    md5_wall=$(cut -d' ' -f1 "$md5_runs" | median)
    cli_cpu=$(cut -d' ' -f3 "$cli_runs" | median)
    md5_cpu=$(cut -d' ' -f3 "$md5_runs" | median)
    rss_kib=$(cut -d' ' -f2 "$cli_runs" | maximum)
    rm -f "$cli_runs" "$md5_runs"
    figure "open $label: time" "$cli_wall" "$md5_wall" "$time_goal" \
        "$(printf 'info %.3f s, md5sum %.3f s (processor %.3f s / %.3f s)' "$cli_wall" "$md5_wall" "$cli_cpu" "$md5_cpu")"
    figure "open $label: peak memory" "$((rss_kib * 1024))" "$bytes" "$memory_goal" \
        "$(awk -v r="$rss_kib" -v b="$bytes" 'BEGIN { printf "%.1f MiB of a %.1f MiB file", r / 1024, b / 1048576 }')"
}

# measure_viewer: the viewer's widgets, offscreen (kurvex-viewbench; median of
# VIEW_REPEAT repetitions each). Its open is timed alternately with whole runs of
# `kurvex-cli info` on the same file and with the same read inside the process;
# the other figures are against a time limit.
measure_viewer() {
    local results
    results=$("$VIEWBENCH" --repeat "${VIEW_REPEAT:-41}" --cli "$CLI" \
        "$DATA_DIR/pm01bs02_big.pbs" "$DATA_DIR/pm01bs02_big_evaluated.pbs")
    value() { sed -n "s/^$1=\([0-9.]*\) .*/\1/p" <<<"$results"; }
    slowest() { sed -n "s/^$1=.* max=\([0-9.]*\)/\1/p" <<<"$results"; }
    figure "viewer: open to first page" "$(value open_ms)" "$(value cli_open_ms)" 1.5 \
        "$(printf 'open and paint %.1f ms, kurvex-cli info %.1f ms' "$(value open_ms)" "$(value cli_open_ms)")"
    # Stricter: against the same read inside the process, without process start and output.
    figure "viewer: open to first page / read" "$(value open_ms)" "$(value document_open_ms)" 1.5 \
        "$(printf 'open and paint %.1f ms, the run read in the process %.1f ms' "$(value open_ms)" "$(value document_open_ms)")"
    limit() {
        local name=$1 key=$2 milliseconds=$3
        figure "viewer: $name" "$(value "$key")" "$milliseconds" 1 \
            "$(printf '%.1f ms of %s ms (slowest %.1f ms)' "$(value "$key")" "$milliseconds" "$(slowest "$key")")"
    }
    limit "Page Down" page_down_ms 16
    limit "zoom" zoom_ms 16
    limit "click" click_ms 16
    limit "switch runs" switch_ms 50
    limit "evaluation list: $(sed -n 's/^exceedances=//p' <<<"$results") exceedances" evaluation_list_ms 200
    limit "overview: build, $POINTS points" overview_build_ms 50
    limit "overview: repaint" overview_repaint_ms 16
    limit "F3: next exceedance" step_ms 16
    limit "exceedance list: first paint" exceedance_list_ms 50
    limit "mouse move with its readout" mouse_move_ms 2
    limit "exceedance marker tooltip" tooltip_ms 16
    # Without a goal: the previews draw every sheet before they show.
    printf '%-38s %6.0f ms  (no goal)       the whole chart of the first run\n' "viewer: chart preview" "$(value chart_preview_ms)"
    printf '%-38s %6.0f ms  (no goal)       the report of the evaluated run\n' "viewer: report preview" "$(value report_preview_ms)"
}

# measure_summary COPIES JOBS: `kurvex-cli summary --jobs JOBS` over COPIES copies of the
# evaluated run (hard links, each with its side file) against COPIES sequential
# `kurvex-cli info` calls, and its peak memory against (JOBS + 1) opens of one run.
measure_summary() {
    local copies=$1 jobs=$2
    local folder=$DATA_DIR/summary_week
    rm -rf "$folder"
    mkdir -p "$folder"
    for ((i = 1; i <= copies; ++i)); do
        local name
        name=$(printf '%s/run_%02d.pbs' "$folder" "$i")
        ln "$DATA_DIR/pm01bs02_big_evaluated.pbs" "$name" 2>/dev/null || cp "$DATA_DIR/pm01bs02_big_evaluated.pbs" "$name"
        ln "$DATA_DIR/pm01bs02_big_evaluated.pbs.zi4" "$name.zi4" 2>/dev/null ||
            cp "$DATA_DIR/pm01bs02_big_evaluated.pbs.zi4" "$name.zi4"
    done
    cat "$DATA_DIR"/pm01bs02_big_evaluated.pbs* >/dev/null
    local sequential=(bash -c 'for f in "$1"/*.pbs; do "$0" info "$f" >/dev/null || exit 1; done' "$CLI" "$folder")
    local summary=("$CLI" summary --jobs "$jobs" "$folder")
    local rounds=${SUMMARY_ROUNDS:-3} seq_runs sum_runs one_open
    seq_runs=$(mktemp)
    sum_runs=$(mktemp)
    for ((round = 0; round < rounds; ++round)); do
        timed "${sequential[@]}" >>"$seq_runs"
        timed "${summary[@]}" >>"$sum_runs"
    done
    one_open=$(timed "$CLI" info "$folder/run_01.pbs" | cut -d' ' -f2)
    local seq_wall sum_wall sum_rss
    seq_wall=$(cut -d' ' -f1 "$seq_runs" | median)
    sum_wall=$(cut -d' ' -f1 "$sum_runs" | median)
    sum_rss=$(cut -d' ' -f2 "$sum_runs" | maximum)
    rm -f "$seq_runs" "$sum_runs"
    figure "summary of $copies runs: time" "$sum_wall" "$seq_wall" 0.6 \
        "$(printf 'summary --jobs %d %.2f s, %d info calls %.2f s (median of %d)' "$jobs" "$sum_wall" "$copies" "$seq_wall" "$rounds")"
    figure "summary of $copies runs: peak memory" "$sum_rss" "$((one_open * (jobs + 1)))" 1 \
        "$(awk -v s="$sum_rss" -v o="$one_open" -v j="$jobs" 'BEGIN { printf "%.1f MiB, (jobs + 1) x one open %.1f MiB", s / 1024, (j + 1) * o / 1024 }')"
    rm -rf "$folder"
}

echo "== Load before: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores; $ROUNDS rounds, medians"
measure_open "$DATA_DIR/pm01bs02_big.pbs" "PM01BS02 $POINTS points" 3 3
# The text readers, also on a file whose numbers are written in other forms
# than Kurvex prints them (two decimals, short widths, long stations).
measure_open "$DATA_DIR/pm01bs01_big.txt" "PM01BS01 $POINTS points" 3 2
measure_open "$DATA_DIR/pm01bs01_big_other_forms.txt" "PM01BS01 other forms" 3 2
measure_open "$DATA_DIR/imexport_big.exp" "IMEXPORT001 $POINTS points" 3 2
# More forms the text readers accept: decimal commas and other numbers of
# decimals in PM01BS01, exchange numbers as short as they read.
measure_open "$DATA_DIR/pm01bs01_big_decimal_commas.txt" "PM01BS01 decimal commas" 3 2
measure_open "$DATA_DIR/imexport_big_short_forms.exp" "IMEXPORT001 short forms" 3 2
measure_summary 40 2
measure_viewer
echo "== Load after: $(cut -d' ' -f1-3 /proc/loadavg)"
if ((failures > 0)); then
    echo "$failures figure(s) missed their goal"
fi
