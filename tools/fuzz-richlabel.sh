#!/usr/bin/env bash
# Builds the layout fuzzer with clang and runs it.
#   tools/fuzz-richlabel.sh [seconds]     (default 60)
# Fails on any crash, sanitizer report or out-of-memory, and on a run slower
# than linear: every generated 1 MB text must lay out within one second.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
build_dir="${FUZZ_BUILD_DIR:-build-fuzz}"
cmake -S tests/fuzz -B "$build_dir" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build_dir" -j"$(nproc)"
fuzzer="$build_dir/richlabel_layout_fuzzer"
timing="$build_dir/richlabel_layout_timing"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/seeds" "$work/corpus" "$work/large"

# Seeds: the first two bytes choose the label (width, repetition / height, margin).
seed() { printf '%b' "$2" >"$work/seeds/$1"; }
seed announcement '\xff\x34see <a href="http://a/" title="t">here</a> now\r\n<hr>\r\n<b>bold</b>'
seed lines '\x80\x30a\r\n\r\nb\r\n'
seed unclosed '\xfe\x20x<a href="u">y\r\n<A HREF="v">z</A>'
seed gbk '\xf0\x40\xb0\xa1\xd1\xe2<a href="\x81">\xca\xfd</a>\x81'

# Large texts whose cost would show a quadratic step at once.
python3 - "$work/large" <<'PY'
import sys, pathlib
out = pathlib.Path(sys.argv[1])
mb = 1 << 20
pieces = {
    "links": b'<a href="http://x/" title="t"><b>link</b></a> text ',
    "open_links": b"<a ",
    "closes": b"</a>",
    "lines": b"\r\n",
    "bold": b"<a href=\"u\"><b></b><B></b>",
    "double_byte": b"\xb0\xa1",
    "empty_links": b'<a href="u"></a>',
    "wide": b"x",
    "entities": b"&nbsp;&lt;&gt;",
}
for name, piece in pieces.items():
    for frame in (b"\xff\x34", b"\xfe\xff"):  # wide, repeated; wide, tall, repeated
        body = piece * (mb // len(piece) + 1)
        (out / f"{name}_{frame.hex()}").write_bytes(frame + body[:mb])
# One link whose closing mark never comes: every search runs to the end.
(out / "unclosed_attrs").write_bytes(b"\xff\x34" + b'<a href="' + b"y" * mb)
PY

echo "Linearity: every 1 MB text within one second (build without sanitizers)"
"$timing" -timeout=1 -rss_limit_mb=4096 "$work"/large/* 2>&1 | tail -n 3
echo "The same texts under the sanitizers"
"$fuzzer" -timeout=30 -rss_limit_mb=4096 "$work"/large/* 2>&1 | tail -n 3

echo "Fuzzing for $seconds seconds"
"$fuzzer" -max_total_time="$seconds" -timeout=1 -max_len=65536 -rss_limit_mb=2048 \
  -print_final_stats=1 "$work/corpus" "$work/seeds" 2>&1 | tail -n 25
