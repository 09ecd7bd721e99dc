#!/usr/bin/env bash
# Installs the build into a scratch root as the package does (prefix /usr), checks that every
# file a desktop needs is there, and starts the installed programs from it: the command-line
# tool speaks German from the installed catalog, and the editor opens its German manual on F1.
# Usage: test_installed_package.sh CMAKE BUILD_DIR
set -euo pipefail
cmake=$1
build=$2
work=$(mktemp -d)
editor_pid=""
cleanup() {
  [ -n "$editor_pid" ] && kill -9 "$editor_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
root=$work/root
DESTDIR=$root "$cmake" --install "$build" --prefix /usr >/dev/null

fail() { echo "FAILED: $*"; exit 1; }
for f in usr/bin/quorvane-editor usr/bin/quorvane-cli \
         usr/lib/quorvane-editor/quorvane-editor usr/lib/quorvane-editor/quorvane-cli \
         usr/lib/quorvane-editor/quorvane-picture usr/lib/quorvane-editor/librtftohtml.so \
         usr/share/locale/de/LC_MESSAGES/Editor.mo \
         usr/share/quorvane-editor/help/en/Editor.hhp usr/share/quorvane-editor/help/de/Editor.hhp \
         usr/share/quorvane-editor/help/de/section_list.htm \
         usr/share/quorvane-editor/templates/default.htm \
         usr/share/applications/quorvane-editor.desktop \
         usr/share/mime/packages/quorvane-editor.xml \
         usr/share/metainfo/com.quorvane.Editor.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/quorvane-editor.svg \
         usr/share/icons/hicolor/scalable/mimetypes/application-x-quorvane-etf.svg \
         usr/share/man/man1/quorvane-cli.1.gz usr/share/man/man1/quorvane-editor.1.gz; do
  [ -e "$root/$f" ] || fail "$f is not installed"
done
if command -v rsvg-convert >/dev/null; then
  for size in 16 32 48 256; do
    [ -s "$root/usr/share/icons/hicolor/${size}x${size}/apps/quorvane-editor.png" ] ||
      fail "no ${size}x${size} application icon"
  done
fi
[ "$(readlink "$root/usr/bin/quorvane-editor")" = "../lib/quorvane-editor/quorvane-editor" ] ||
  fail "usr/bin/quorvane-editor is no relative link to the program"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$root/usr/share/applications/quorvane-editor.desktop"
fi
zcat "$root/usr/share/man/man1/quorvane-cli.1.gz" | grep -q '^\.SH SYNOPSIS' || fail "manual page"

home=$work/home
mkdir -p "$home/.config"
printf 'UpdateCheck=0\nShowTips=0\nLanguage=de\n' >"$home/.Editor"
printf 'no XML' >"$work/broken.etf"
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share
export QUORVANE_NO_STARTUP_CHECKS=1 LANG=de_DE.UTF-8

# The catalog is found from the programs' own folder, through the link in usr/bin.
if "$root/usr/bin/quorvane-cli" outline "$work/broken.etf" 2>"$work/cli.txt"; then
  fail "a broken document was read"
fi
grep -q "Laden des Dokuments fehlgeschlagen." "$work/cli.txt" || { cat "$work/cli.txt"; fail "no German message"; }

# The shipped page template is found from the installed tool by its name.
printf '<?xml version="1.0" encoding="UTF-8"?>\n<Document><Section ID="{00000000-0000-0000-0000-000000000001}" Title="Eins" Alias="eins"/></Document>\n' >"$work/pages.etf"
"$root/usr/bin/quorvane-cli" generate HTML "$work/pages.etf" "$work/pages" --template default ||
  fail "generating with the shipped template"
grep -q 'class="qv-current"' "$work/pages/eins.htm" || fail "the shipped template was not used"

# Without a display the files and the tool are checked, and the editor counts as skipped.
[ -n "${DISPLAY:-}" ] && command -v xdotool >/dev/null || { echo "no display: the editor is not started"; exit 77; }
"$root/usr/bin/quorvane-editor" >"$work/editor.txt" 2>&1 &
editor_pid=$!
wait_window() {  # NAME SECONDS
  local deadline=$((SECONDS + $2))
  while [ $SECONDS -lt $deadline ]; do
    if xdotool search --all --pid "$editor_pid" --name "^$1\$" >/dev/null 2>&1; then return 0; fi
    kill -0 "$editor_pid" 2>/dev/null || { cat "$work/editor.txt"; fail "the editor ended"; }
    sleep 0.3
  done
  return 1
}
wait_window "Quorvane Editor" 60 || { cat "$work/editor.txt"; fail "no main window"; }
main=$(xdotool search --all --pid "$editor_pid" --name '^Quorvane Editor$' | head -1)
# F1 opens the manual of the language at its first page (no document window has the focus);
# the window's title is the catalog's "Hilfe: %s" with the page's title.
for attempt in 1 2 3; do
  xdotool windowactivate --sync "$main" >/dev/null 2>&1 || xdotool windowfocus --sync "$main" || true
  xdotool key --window "$main" F1
  if wait_window "Hilfe: Quorvane Editor" 15; then
    echo "the installed editor shows its German manual"
    kill -TERM "$editor_pid"
    wait "$editor_pid" || true
    editor_pid=""
    grep -q "cannot be found\|nicht gefunden" "$work/editor.txt" && fail "help file reported missing"
    exit 0
  fi
done
xdotool search --all --pid "$editor_pid" --name '.' getwindowname %@ || true
cat "$work/editor.txt"
fail "F1 opened no German help window"
