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
for tool in xvfb-run Xvfb dbus-run-session dbus-send; do
  command -v "$tool" >/dev/null || missing+=("$tool")
done
[ -x /usr/libexec/at-spi-bus-launcher ] || missing+=(at-spi2-core)
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || missing+=(python3-pyatspi)
if [ ${#missing[@]} -gt 0 ]; then
  echo "e2e: missing ${missing[*]}; run tools/install-deps.sh"
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/run"
export HOME="$work" XDG_RUNTIME_DIR="$work/run" CORVANE_SETTINGS="$work/Corvane.ini"
export CORVANE_BINARY="$binary" CORVANE_E2E_WORK="$work"
export PYTHONPATH="$(cd "$(dirname "$0")" && pwd)${PYTHONPATH:+:$PYTHONPATH}"
xvfb-run -a -s "-screen 0 1280x1024x24" \
  dbus-run-session -- bash "$0" --inside "$script" "$@"
