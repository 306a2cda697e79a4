#!/usr/bin/env bash
# Drives the real kvtx program on the real file system, with a Japanese folder name: import of
# the sample store, list, export to standard output and to a file, the executable's folder as the
# default store, a refused import that leaves the store alone, and a byte-exact restore.
# Usage: kvtx_tool_test.sh KVTX SAMPLE_JSON [RUNNER...]   (RUNNER: scripts/wine-exec for Windows)
set -euo pipefail
kvtx=$1
sample=$2
shift 2
runner=("$@")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
store="店 データ"
mkdir "$store" "復元"
cp "$sample" sample.json

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
run() { "${runner[@]}" "$kvtx" "$@"; }

run --dir "$store" import sample.json >import.out || fail "import of the sample store"
grep -q "imported 4 categories" import.out || fail "import summary: $(cat import.out)"
[[ $(stat -c %s "$store/kvtx_index.dat") == 3336 ]] || fail "index size"

run --dir "$store" list >list.out
grep -qx "B:メール" list.out || fail "category label in: $(cat list.out)"
grep -q "^  e:メール/署名	text$" list.out || fail "item label in: $(cat list.out)"

run --dir "$store" export >stdout.json
run --dir "$store" export file.json
cmp -s stdout.json file.json || fail "export to standard output and to a file differ"
! grep -q $'\r' stdout.json || fail "standard output is not binary: CR found"
grep -q '"name": "挨拶"' stdout.json || fail "UTF-8 names in the export"

# Without --dir the store is the one beside the executable.
cp "$kvtx" "$store/"
"${runner[@]}" "$store/$(basename "$kvtx")" list >default.out
cmp -s list.out default.out || fail "the executable's folder is not the default store"

cp "$store/kvtx_index.dat" index.before
echo '{"categories": [{"name": ""}]}' >bad.json
if run --dir "$store" import bad.json 2>bad.err; then
    fail "an empty category name was accepted"
fi
grep -q 'category A: "name" must not be empty' bad.err || fail "refusal message: $(cat bad.err)"
cmp -s index.before "$store/kvtx_index.dat" || fail "a refused import changed the index"

# A store written by kvtx has zeros wherever nothing is stored, so a restore into an empty folder
# gives every file back whole.
run --dir "復元" import file.json >/dev/null
for file in "$store"/kvtx_*.dat; do
    cmp -s "$file" "復元/$(basename "$file")" || fail "restored $(basename "$file") differs"
done
echo "kvtx tool test passed"
