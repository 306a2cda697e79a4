#!/usr/bin/env bash
# Drives the real kvtx expand and apply through pipes, on the sample store: UTF-8 in and out,
# line ends in the input's style, "%input" from the argument and from the terminal, a chain with a
# regular-expression step through the platform's library, and a malformed expression.
# Usage: kvtx_apply_test.sh KVTX SAMPLE_JSON [RUNNER...]   (RUNNER: scripts/wine-exec for Windows)
set -euo pipefail
kvtx=$1
sample=$2
shift 2
runner=("$@")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
cp "$sample" sample.json

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
run() { "${runner[@]}" "$kvtx" "$@"; }
now=(--now 2009-03-01T05:07:03)

[[ $(run expand "${now[@]}" '%Y年%M月%D日 %h:%m:%s 100%%') == "2009年03月01日 05:07:03 100%" ]] ||
    fail "expand: $(run expand "${now[@]}" '%Y年%M月%D日')"
printf '山田\n' | run expand '%input 様' >asked.out 2>asked.err
[[ $(cat asked.out) == "山田 様" ]] || fail "expand asks on the terminal: $(cat asked.out)"

mkdir store
run --dir store import sample.json >/dev/null
# Category B item h is "%input 様\r\n\r\n"; Unix input gives Unix line ends back.
printf 'x' | run --dir store apply B h --input 佐藤 >name.out
printf '佐藤 様\n\n' | cmp -s - name.out || fail "apply with --input: $(od -c name.out | head)"
printf '引用\r\n' | run --dir store apply B g >quote.out
printf '> 引用\r\n\r\n\r\n' | cmp -s - quote.out || fail "CR LF selection: $(od -c quote.out | head)"

# Category D item a: full-width spaces to spaces, trailing spaces dropped, 【…】 filled with a date.
printf '【メモ】　a　b\n次の行  \n' | run --dir store apply D a "${now[@]}" >chain.out
printf '【2009/03/01】 a b\n次の行\n' | cmp -s - chain.out || fail "conversion chain: $(cat chain.out)"

cat >bad.json <<'JSON'
{ "categories": [ { "name": "誤り", "items": [ { "name": "括弧", "kind": "conversion",
  "steps": [ { "kind": "regex", "a": "(", "b": "x" } ] } ] } ] }
JSON
mkdir bad
run --dir bad import bad.json >/dev/null
if printf 'text\n' | run --dir bad apply A a >bad.out 2>bad.err; then
    fail "a malformed expression exited with success"
fi
[[ ! -s bad.out ]] || fail "a malformed expression wrote to standard output"
grep -q '正規表現の構文に誤りがあります' bad.err || fail "message: $(cat bad.err)"
echo "kvtx expand and apply: all checks passed"
