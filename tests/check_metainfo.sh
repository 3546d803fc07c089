#!/usr/bin/env bash
# Checks the package's release metadata: the AppStream metainfo's newest
# release and the package changelog's newest entry both name the project's
# version, and the metainfo passes appstreamcli's validation. Exits 77 (a
# skip) only when appstreamcli is missing, after the version checks.
set -euo pipefail
root=$1
version=$2
metainfo=$root/desktop/com.nordaxe.corvane.metainfo.xml
changelog=$root/packaging/changelog

release=$(grep -o '<release [^>]*version="[^"]*"' "$metainfo" | head -n 1 \
  | sed 's/.*version="\([^"]*\)"/\1/')
if [ "$release" != "$version" ]; then
  echo "the metainfo's newest release is '$release', the project's version is '$version'"
  exit 1
fi
entry=$(sed -n '1s/^corvane (\([^)]*\)).*/\1/p' "$changelog")
if [ "$entry" != "$version" ]; then
  echo "the changelog's newest entry is '$entry', the project's version is '$version'"
  exit 1
fi
echo "metainfo and changelog name version $version"

if ! command -v appstreamcli >/dev/null; then
  echo "SKIP: appstreamcli is missing (Debian package appstream), metainfo not validated"
  exit 77
fi
appstreamcli validate --no-net "$metainfo"
