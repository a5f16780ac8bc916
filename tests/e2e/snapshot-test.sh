#!/usr/bin/env bash
# Draws a sample disc with --snapshot and no display: one picture per page the check
# reports and one per file-browser row, each the size of its window, all shown by
# index.html, the exit status of the check, and no message of Qt's about the runtime folder.
#   snapshot-test.sh PROGRAM DISC-FOLDER
set -euo pipefail
program=$1 disc=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# As from a root shell or a service account: no runtime folder named, which Qt would report.
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_RUNTIME_DIR "$program" --snapshot "$work/snap" \
  "$disc" >"$work/out.txt" 2>"$work/err.txt" || fail "exit status $? ($(cat "$work/out.txt" "$work/err.txt"))"
! grep XDG_RUNTIME_DIR "$work/out.txt" "$work/err.txt" || fail "Qt's messages in the tool's output"
"$program" --check "$disc" --json >"$work/report.json" || fail "the check found problems"

python3 - "$work/snap" "$work/report.json" <<'PY'
import json, os, struct, sys
snap, report = sys.argv[1], json.load(open(sys.argv[2]))
def size(name):
    with open(os.path.join(snap, name), "rb") as f:
        head = f.read(24)
    assert head[:8] == b"\x89PNG\r\n\x1a\n", name + " is not a PNG"
    return struct.unpack(">II", head[16:24])
pages = report["pages"]
want = [f"page-{p['id'] + 1:02d}.png" for p in pages]
browsers = [f"page-{p['id'] + 1:02d}-browser-{k + 1:02d}.png"
            for p in pages for k, item in enumerate(p["items"]) if item["browser"]]
have = sorted(f for f in os.listdir(snap) if f.endswith(".png"))
assert have == sorted(want + browsers), f"pictures {have}, expected {sorted(want + browsers)}"
# The main window is 554 by 320 pixels on every page; the browser keeps its own size.
sizes = {size(f) for f in want}
assert sizes == {(554, 320)}, f"main window pictures of sizes {sizes}"
assert len({size(f) for f in browsers}) <= 1, "browser pictures of different sizes"
index = open(os.path.join(snap, "index.html"), encoding="utf-8").read()
pos = [index.find(f'src="{f}"') for f in want]
assert -1 not in pos and pos == sorted(pos), "index.html does not show every page in menu order"
for f in browsers:
    assert f'src="{f}"' in index, f + " is not in index.html"
assert report["summary"] in index, "the report is not beside the pictures"
PY
echo "ok: snapshot $(basename "$disc")"
