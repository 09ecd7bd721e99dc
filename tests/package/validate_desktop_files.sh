#!/usr/bin/env bash
# Checks the desktop entry, the AppStream metainfo and the MIME type with the desktop's own
# tools. Exits with 77 (skipped) when a tool is not installed.
# Usage: validate_desktop_files.sh SOURCE_DIR
set -euo pipefail
data=$1/data
for tool in desktop-file-validate appstreamcli update-mime-database; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed"; exit 77; }
done

# desktop-file-validate exits with 0 on hints; anything it calls an error or a warning fails.
out=$(desktop-file-validate "$data/quorvane-editor.desktop")
echo "$out"
if grep -qE 'error:|warning:' <<<"$out"; then exit 1; fi

appstreamcli validate --no-net "$data/com.quorvane.Editor.metainfo.xml"

# The MIME database built from our package alone knows ".etf" and its icon.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mime=$tmp/mime
mkdir -p "$mime/packages"
cp "$data/quorvane-editor-mime.xml" "$mime/packages/quorvane-editor.xml"
XDG_DATA_DIRS=$tmp update-mime-database "$mime" 2>&1 | tee "$tmp/log"
if [ -s "$tmp/log" ]; then exit 1; fi
grep -q '^application/x-quorvane-etf:\*\.etf$' "$mime/globs"
grep -q '^application/x-quorvane-etf:application-x-quorvane-etf$' "$mime/generic-icons" ||
  grep -q 'application/x-quorvane-etf' "$mime/icons"
echo "desktop files are valid"
