#!/usr/bin/env bash
# Runs one end-to-end script against the real program, as a user would drive
# it through the desktop's accessibility interface: on a private X server
# (Xvfb), in a private D-Bus session, with Qt's accessibility bridge on and a
# settings file of its own.
#
#   run_e2e.sh CORVANE_BINARY SCRIPT.py [ARGS...]
#
# Exits 77 (a skipped test to ctest) only when the accessibility bus cannot
# start; anything missing that tools/install-deps.sh installs is a failure.
set -euo pipefail

if [ "${1:-}" = "--inside" ]; then
  shift
  # The session bus starts the accessibility bus on demand; without it no
  # client can see the program at all.
  if ! reply=$(dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
      org.a11y.Bus.GetAddress 2>&1); then
    echo "SKIP: the accessibility bus does not start: ${reply}"
    exit 77
  fi
  export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
  export QT_QPA_PLATFORM=xcb
  exec /usr/bin/python3 "$@"
fi

binary=$1
script=$2
shift 2
missing=()
for tool in Xvfb dbus-run-session dbus-send; do
  command -v "$tool" >/dev/null || missing+=("$tool")
done
[ -x /usr/libexec/at-spi-bus-launcher ] || missing+=(at-spi2-core)
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || missing+=(python3-pyatspi)
if [ ${#missing[@]} -gt 0 ]; then
  echo "e2e: missing ${missing[*]}; run tools/install-deps.sh"
  exit 1
fi

work=$(mktemp -d)
xvfb=""
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -m 700 "$work/run"

# The X server picks a free display itself and writes its number to fd 3, so
# runs side by side never race for one. It must not reset when its last
# client leaves: the accessibility bus's launcher connects and leaves before
# the program starts, and a program that connects during the reset is refused.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" \
  2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  kill -0 "$xvfb" 2>/dev/null || break
  sleep 0.1
done
if [ ! -s "$work/display" ]; then
  echo "e2e: Xvfb did not start:"
  cat "$work/xvfb.log"
  exit 1
fi

export DISPLAY=":$(head -n1 "$work/display")"
export HOME="$work" XDG_RUNTIME_DIR="$work/run" CORVANE_SETTINGS="$work/Corvane.ini"
export CORVANE_BINARY="$binary" CORVANE_E2E_WORK="$work"
export PYTHONPATH="$(cd "$(dirname "$0")" && pwd)${PYTHONPATH:+:$PYTHONPATH}"
dbus-run-session -- bash "$0" --inside "$script" "$@"
