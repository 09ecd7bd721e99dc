#!/usr/bin/env bash
# Fails when a source file includes a header of a higher layer (see scripts/layers.txt).
# Usage: scripts/check-layers.sh [SOURCE_DIR]
set -euo pipefail
top=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$top"

files=$(find platform core rtf document generators framework views app tests bench \
             -type f \( -name '*.cpp' -o -name '*.h' \) 2>/dev/null | sort)
[ -n "$files" ] || { echo "no sources under $top" >&2; exit 1; }

# shellcheck disable=SC2086
grep -H -n -E '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[^"]+/[^"]+"' $files |
awk -v layers_file=scripts/layers.txt '
BEGIN {
    n = 0
    while ((getline line < layers_file) > 0) {
        if (line ~ /^[[:space:]]*(#|$)/) continue
        layer[++n] = line
    }
    top = n + 1
    bad = 0
}
# Index of the longest listed folder containing path; 0 when none does.
function layer_of(path,    i, best, bestlen) {
    best = 0; bestlen = 0
    for (i = 1; i <= n; i++) {
        if ((path == layer[i] || index(path, layer[i] "/") == 1) && length(layer[i]) > bestlen) {
            best = i; bestlen = length(layer[i])
        }
    }
    return best
}
# The highest layer inside the top-level folder dir.
function top_of(dir,    i, best) {
    best = 0
    for (i = 1; i <= n; i++) {
        split(layer[i], part, "/")
        if (part[1] == dir) best = i
    }
    return best
}
{
    file = $0; sub(/:.*/, "", file)
    rest = $0; sub(/^[^:]*:[0-9]+:/, "", rest)
    lineno = $0; sub(/^[^:]*:/, "", lineno); sub(/:.*/, "", lineno)
    inc = rest; sub(/^[^"]*"/, "", inc); sub(/".*/, "", inc)

    if (file ~ /^bench\// || file ~ /^tests\/support\//) {
        from = top
    } else if (file ~ /^tests\//) {
        split(file, part, "/")
        from = top_of(part[2])
        if (from == 0) from = top
    } else {
        from = layer_of(file)
    }

    if (inc ~ /^tests\//) {
        if (file !~ /^tests\//) {
            printf "%s:%s: includes the test header %s\n", file, lineno, inc
            bad = 1
        }
        next
    }
    to = layer_of(inc)
    if (to == 0) next  # a library header such as "wx/..." spelled with quotes
    if (to > from) {
        printf "%s:%s: includes %s of the higher layer %s\n", file, lineno, inc, layer[to]
        bad = 1
    }
}
END { exit bad }
'
