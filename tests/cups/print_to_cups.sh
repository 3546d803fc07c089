#!/usr/bin/env bash
# Prints the demo work file through a real print spooler and measures the
# paper: starts a private cupsd with a PDF queue in a temporary folder, runs
# `corvane --print-to QUEUE demo.wrk` at print magnifications 1 and 2, in the
# classic and in the standard reading (the user's setting), waits
# for the queue's PDF, and checks with poppler's tools that it has one page
# and that the board outline, 2.4 by 1.6 inches, measures m times that.
#
# usage: print_to_cups.sh CORVANE_BINARY SOURCE_DIR
# Exit status: 0 passed, 1 failed, 77 skipped (the reason on standard output).
set -uo pipefail

readonly kSkip=77
readonly kDpi=300                # the rendering of the PDF that is measured
readonly kWidth=2.4 kHeight=1.6  # the demo board's outline, in inches
readonly kTolerance=0.01         # inches

corvane=${1:?usage: print_to_cups.sh CORVANE_BINARY SOURCE_DIR}
source_dir=${2:?usage: print_to_cups.sh CORVANE_BINARY SOURCE_DIR}

skip() {
  echo "SKIPPED: $*"
  exit "$kSkip"
}
fail() {
  echo "FAILED: $*"
  exit 1
}

# --- The spooler, the PDF printer driver and poppler --------------------------------
have_tools() {
  command -v cupsd >/dev/null && command -v lpadmin >/dev/null &&
    [ -x /usr/lib/cups/backend/cups-pdf ] && command -v pdfinfo >/dev/null &&
    command -v pdftoppm >/dev/null
}
if ! have_tools; then
  if [ "$(id -u)" -ne 0 ] || ! command -v apt-get >/dev/null; then
    skip "cups, printer-driver-cups-pdf and poppler-utils are not installed, and this is no root on Debian to install them"
  fi
  echo "installing cups, printer-driver-cups-pdf and poppler-utils"
  export DEBIAN_FRONTEND=noninteractive
  if ! apt-get install -y --no-install-recommends cups printer-driver-cups-pdf poppler-utils \
    >/dev/null 2>&1; then
    apt-get update >/dev/null 2>&1
    apt-get install -y --no-install-recommends cups printer-driver-cups-pdf poppler-utils \
      >/dev/null 2>&1 || skip "the packages could not be installed"
  fi
  have_tools || skip "the packages were installed but their tools are missing"
fi
# cupsd runs the PDF backend as root only, and only root may start it so.
[ "$(id -u)" -eq 0 ] || skip "a private cupsd with the PDF backend needs root"

# --- A private cupsd with one PDF queue ---------------------------------------------
work=$(mktemp -d /tmp/corvane-cups.XXXXXX) || fail "no temporary folder"
queue="corvane-test-$$"
pdf_config="/etc/cups/cups-pdf-$queue.conf"
cupsd_pid=""
cleanup() {
  if [ -n "$cupsd_pid" ]; then
    kill "$cupsd_pid" 2>/dev/null
    wait "$cupsd_pid" 2>/dev/null
  fi
  rm -f "$pdf_config"
  rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work"/{etc/ppd,spool/tmp,cache,state,log,out,pdfspool}
# The filters run as lp and must reach the spool; the PDF lands in out/.
chmod 755 "$work" "$work"/{etc,cache,state,log,out,pdfspool}
chown root:lp "$work/spool" "$work/spool/tmp"
chmod 0710 "$work/spool"
chmod 1770 "$work/spool/tmp"
socket="$work/state/cups.sock"

cat >"$work/etc/cups-files.conf" <<EOF
ServerRoot $work/etc
RequestRoot $work/spool
TempDir $work/spool/tmp
CacheDir $work/cache
StateDir $work/state
ServerBin /usr/lib/cups
DataDir /usr/share/cups
AccessLog $work/log/access_log
ErrorLog $work/log/error_log
PageLog $work/log/page_log
Printcap $work/state/printcap
User lp
Group lp
SystemGroup root
FileDevice No
EOF
cat >"$work/etc/cupsd.conf" <<EOF
Listen $socket
LogLevel debug
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
EOF
# The PDF backend reads the configuration named after its device URI.
cat >"$pdf_config" <<EOF
Out $work/out
AnonDirName $work/out
Spool $work/pdfspool
Log $work/log
LogType 3
Grp root
EOF

cupsd -f -c "$work/etc/cupsd.conf" -s "$work/etc/cups-files.conf" \
  >"$work/log/cupsd.out" 2>&1 &
cupsd_pid=$!
export CUPS_SERVER=$socket
scheduler_running() { [ -S "$socket" ] && lpstat -r 2>/dev/null | grep -q 'is running'; }
for _ in $(seq 1 100); do
  scheduler_running && break
  kill -0 "$cupsd_pid" 2>/dev/null || break
  sleep 0.1
done
if ! scheduler_running; then
  cat "$work/log/cupsd.out" "$work/log/error_log" 2>/dev/null | tail -n 5
  skip "cupsd could not be started here"
fi
if ! lpadmin -p "$queue" -E -v "cups-pdf:/$queue" -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd \
  2>"$work/log/lpadmin.out"; then
  cat "$work/log/lpadmin.out"
  fail "the PDF queue could not be created"
fi

# --- Measuring a page ---------------------------------------------------------------
# Prints "LEFT RIGHT TOP BOTTOM" in pixels: the centres of the outermost runs
# of dark pixels at least `min` long, columns for left and right, rows for
# top and bottom. The outline's straight edges are the only lines that long.
outline_box() {
  local pgm=$1 min_run_x=$2 min_run_y=$3
  local header
  header=$(head -c 20 "$pgm" | tr '\n' ' ')
  # shellcheck disable=SC2086
  set -- $header
  [ "$1" = P5 ] || return 1
  local width=$2 height=$3
  local offset=$((${#1} + ${#2} + ${#3} + ${#4} + 4))
  tail -c +$((offset + 1)) "$pgm" | od -An -v -tu1 -w"$width" |
    awk -v w="$width" -v h="$height" -v mx="$min_run_x" -v my="$min_run_y" '
      {
        y = NR - 1
        run = 0
        for (x = 1; x <= NF; x++) {
          dark = ($x < 160)
          run = dark ? run + 1 : 0
          if (run >= mx) longrow[y] = 1
          col = x - 1
          vrun[col] = dark ? vrun[col] + 1 : 0
          if (vrun[col] >= my) longcol[col] = 1
        }
      }
      END {
        n = 0
        for (c = 0; c < w; c++) if (c in longcol) cols[n++] = c
        m = 0
        for (r = 0; r < h; r++) if (r in longrow) rows[m++] = r
        if (n == 0 || m == 0) exit 1
        # The centre of the first and of the last group of adjacent lines.
        i = 0; s = cols[0]; k = 1
        while (i + 1 < n && cols[i + 1] == cols[i] + 1) { i++; s += cols[i]; k++ }
        left = s / k
        i = n - 1; s = cols[i]; k = 1
        while (i > 0 && cols[i - 1] == cols[i] - 1) { i--; s += cols[i]; k++ }
        right = s / k
        i = 0; s = rows[0]; k = 1
        while (i + 1 < m && rows[i + 1] == rows[i] + 1) { i++; s += rows[i]; k++ }
        top = s / k
        i = m - 1; s = rows[i]; k = 1
        while (i > 0 && rows[i - 1] == rows[i] - 1) { i--; s += rows[i]; k++ }
        bottom = s / k
        print left, right, top, bottom
      }'
}

# Prints the magnification at which `pdf` shows the outline, or fails.
check_page() {
  local pdf=$1 m=$2 png=$3
  local pages
  pages=$(pdfinfo "$pdf" | awk '/^Pages:/ { print $2 }')
  [ "$pages" = 1 ] || fail "m=$m: the PDF has ${pages:-no} pages, not 1"
  # The board lies at the printable area's top-left corner: render that corner.
  local side_x side_y
  side_x=$(awk -v m="$m" -v w="$kWidth" -v d="$kDpi" 'BEGIN { printf "%d", (m * w + 1) * d }')
  side_y=$(awk -v m="$m" -v h="$kHeight" -v d="$kDpi" 'BEGIN { printf "%d", (m * h + 1) * d }')
  pdftoppm -r "$kDpi" -gray -x 0 -y 0 -W "$side_x" -H "$side_y" "$pdf" "$work/page-$m" ||
    fail "m=$m: poppler cannot render the PDF"
  [ -n "$png" ] && pdftoppm -r 100 -png -singlefile "$pdf" "$png"
  local pgm box
  pgm=$(ls "$work/page-$m"*.pgm | head -n 1)
  local min_x min_y
  min_x=$(awk -v m="$m" -v w="$kWidth" -v d="$kDpi" 'BEGIN { printf "%d", 0.8 * m * w * d }')
  min_y=$(awk -v m="$m" -v h="$kHeight" -v d="$kDpi" 'BEGIN { printf "%d", 0.8 * m * h * d }')
  box=$(outline_box "$pgm" "$min_x" "$min_y") || fail "m=$m: no board outline on the page"
  # shellcheck disable=SC2086
  set -- $box
  awk -v l="$1" -v r="$2" -v t="$3" -v b="$4" -v m="$m" -v d="$kDpi" -v w="$kWidth" \
    -v h="$kHeight" -v tol="$kTolerance" 'BEGIN {
      width = (r - l) / d; height = (b - t) / d
      printf "m=%s: outline %.4f x %.4f in (expected %.4f x %.4f), top-left at %.3f, %.3f in\n",
        m, width, height, m * w, m * h, l / d, t / d
      dw = width - m * w; dh = height - m * h
      if (dw < 0) dw = -dw
      if (dh < 0) dh = -dh
      exit (dw <= tol && dh <= tol) ? 0 : 1
    }' || fail "m=$m: the outline is not $m times its size to 1/100 inch"
}

# --- Printing the demo at magnifications 1 and 2, in both readings ------------------
# The user's choice of reading is a setting; printing from the command line
# prints what the window shows.
export CORVANE_SETTINGS="$work/settings.ini"
for reading in classic standard; do
if [ "$reading" = standard ]; then
  printf '[Settings]\nStandardInterpretation=1\n' >"$CORVANE_SETTINGS"
else
  rm -f "$CORVANE_SETTINGS"
fi
for m in 1 2; do
  demo="$work/demo-$reading-$m"
  cp -r "$source_dir/examples/demo" "$demo"
  sed -i "s/^PrintMagnification=.*/PrintMagnification=$m.0000/" "$demo/demo.wrk"
  before=$(ls "$work/out" | wc -l)
  "$corvane" --print-to "$queue" "$demo/demo.wrk" || fail "m=$m: corvane --print-to failed"
  pdf=""
  for _ in $(seq 1 600); do
    pdf=$(find "$work/out" -name '*.pdf' -newer "$demo/demo.wrk" | head -n 1)
    [ -n "$pdf" ] && [ "$(ls "$work/out" | wc -l)" -gt "$before" ] &&
      [ -z "$(lpstat -o "$queue" 2>/dev/null)" ] && break
    pdf=""
    sleep 0.1
  done
  if [ -z "$pdf" ]; then
    tail -n 20 "$work/log/error_log"
    fail "m=$m: the queue wrote no PDF within 60 seconds"
  fi
  echo "$reading reading:"
  check_page "$pdf" "$m" "${CORVANE_PRINT_PNG:+$CORVANE_PRINT_PNG-$reading-$m}"
  mv "$pdf" "$work/printed-$reading-$m.pdf"
done
done
echo "PASSED: the demo printed to scale at magnifications 1 and 2 in both readings"
