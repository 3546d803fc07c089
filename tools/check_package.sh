#!/usr/bin/env bash
# Checks a built corvane .deb: every file of packaging/package-files.txt is in
# it, its dependencies were computed from the program's libraries, and, where
# the tools are installed, lintian finds no error or warning and appstreamcli
# accepts the installed tree (metainfo, desktop entry and icons together).
#
#   bash tools/check_package.sh build/corvane_0.1.0_amd64.deb
set -euo pipefail
deb=${1:?usage: check_package.sh PACKAGE.deb}
root=$(cd "$(dirname "$0")/.." && pwd)
list=$root/packaging/package-files.txt
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

dpkg-deb -c "$deb" | awk '{ sub(/^\.\//, "/", $6); print $6 }' | sort -u >"$work/contents"
grep -v -e '^#' -e '^$' "$list" | sort -u >"$work/expected"
missing=$(comm -23 "$work/expected" "$work/contents")
if [ -n "$missing" ]; then
  echo "missing from $deb:"
  echo "$missing"
  exit 1
fi
echo "all $(wc -l <"$work/expected") listed files are in the package"
extra=$(comm -13 "$work/expected" "$work/contents" | grep -v '/$' || true)
[ -z "$extra" ] || { echo "also in the package, not listed:"; echo "$extra"; }

# Without dpkg-shlibdeps (dpkg-dev) or file, CPack leaves Depends empty and
# the package would install without its libraries.
depends=$(dpkg-deb -f "$deb" Depends)
if ! grep -q 'libqt6widgets6' <<<"$depends"; then
  echo "the package's dependencies were not computed: Depends: '$depends'"
  exit 1
fi
echo "Depends: $depends"

# Errors and warnings are what Debian holds to be faults of a package; the
# informational tags (hardening flags, stripping of extra sections) are
# advice and are only shown.
if command -v lintian >/dev/null; then
  lintian --display-info --fail-on error,warning "$deb"
  echo "lintian: no error or warning"
else
  echo "lintian is not installed; skipped"
fi

if command -v appstreamcli >/dev/null; then
  dpkg-deb -x "$deb" "$work/tree"
  appstreamcli validate-tree --no-net "$work/tree"
else
  echo "appstreamcli is not installed; skipped"
fi
