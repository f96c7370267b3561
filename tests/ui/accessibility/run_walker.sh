#!/bin/sh
# Runs the accessibility walker the way a screen reader meets Kurvex: a private
# X server, a private session bus with the accessibility bus on it, Qt's
# accessibility switched on. Exits 77 (skipped) when a tool is missing.
#
#   run_walker.sh KURVEX SAMPLES_FOLDER
#
# KURVEX_WALK_VERBOSE=1 lists every control with its name; KURVEX_WALK_SCRIPT
# runs another script of the walker's kind in the same setting.
set -u
program=$1
samples=$2
python=/usr/bin/python3

for tool in Xvfb dbus-run-session xdotool; do
  command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is missing"; exit 77; }
done
[ -x /usr/libexec/at-spi-bus-launcher ] || { echo "skipped: at-spi2-core is missing"; exit 77; }
"$python" -c 'import pyatspi' 2>/dev/null || { echo "skipped: python3-pyatspi is missing"; exit 77; }

here=$(dirname "$0")
work=$(mktemp -d)
wm=
trap 'kill $wm $xvfb 2>/dev/null; wait $xvfb 2>/dev/null; rm -rf "$work"' EXIT INT TERM
# A display of its own, tried until one answers (other tests may start X servers meanwhile).
xvfb=
display=
for n in $(seq 90 130); do
  [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
  Xvfb :$n -screen 0 1600x1000x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  xvfb=$!
  for i in $(seq 1 50); do
    DISPLAY=:$n xdotool getmouselocation >/dev/null 2>&1 && { display=$n; break; }
    kill -0 $xvfb 2>/dev/null || break
    sleep 0.1
  done
  [ -n "$display" ] && break
  kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null
done
[ -n "$display" ] || { echo "no X server could be started:"; cat "$work/xvfb.log"; exit 1; }

# A window manager gives the focus to each new window as a desktop does.
if command -v openbox >/dev/null 2>&1; then
  DISPLAY=:$display openbox >"$work/openbox.log" 2>&1 &
  wm=$!
  sleep 0.5
fi

# A home of its own: settings, recent files and the single-instance lock stay in it.
mkdir -p "$work/home" "$work/runtime" "$work/runs"
chmod 700 "$work/runtime"
cp "$samples/pm01bs02_sample.pbs" "$work/runs/"
cp "$samples/pm01bs02_sample.pbs.zi4" "$work/runs/"
cp "$samples/pm01bs01_sample.txt" "$work/runs/fresh.txt"  # no side file: the first-load question

env -u SESSION_MANAGER HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" \
  XDG_DATA_HOME="$work/home/.local/share" XDG_RUNTIME_DIR="$work/runtime" \
  DISPLAY=:$display QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 \
  KURVEX_WALK_VERBOSE="${KURVEX_WALK_VERBOSE:-}" \
  dbus-run-session -- "$python" "${KURVEX_WALK_SCRIPT:-$here/walk_accessibility.py}" "$program" "$work/runs"
status=$?
if [ $status -ne 0 ] && [ -s "$work/xvfb.log" ]; then
  echo "X server (display :$display):"
  cat "$work/xvfb.log"
fi
exit $status
