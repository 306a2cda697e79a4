#!/usr/bin/env bash
# Drives the real kvtx regex through pipes, as a shell user does: UTF-8 in and out, line ends
# kept in the input's style, a malformed expression reported on standard error with nothing on
# standard output and a failing exit status, a missing library told apart from a malformed
# expression, and a long Japanese text.
# Usage: kvtx_regex_test.sh KVTX [RUNNER...]   (RUNNER: scripts/wine-exec for Windows)
set -euo pipefail
kvtx=$1
shift
runner=("$@")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
regex() { "${runner[@]}" "$kvtx" regex "$@"; }

printf '山田 太郎\n鈴木 花子\n' | regex '(\S+) (\S+)' '$2、\1' >names.out
printf '太郎、山田\n花子、鈴木\n' | cmp -s - names.out || fail "group references: $(cat names.out)"

printf 'a b\r\nc d\r\n' | regex ' ' '\n' >crlf.out
printf 'a\r\nb\r\nc\r\nd\r\n' | cmp -s - crlf.out || fail "CR LF input: $(od -c crlf.out | head -3)"

if printf 'text\n' | regex '(' 'x' >bad.out 2>bad.err; then
    fail "a malformed pattern exited with success"
fi
[[ ! -s bad.out ]] || fail "a malformed pattern wrote to standard output"
grep -q '正規表現の構文に誤りがあります' bad.err || fail "message: $(cat bad.err)"

# Windows only (Linux links the library in): without DVLIBREGEX.dll beside the program the
# message names the library instead of blaming the expression.
if ((${#runner[@]})); then
    mkdir alone
    cp "$kvtx" alone/
    if printf 'text\n' | "${runner[@]}" "alone/$(basename "$kvtx")" regex 't' 'T' \
        >alone.out 2>alone.err; then
        fail "a missing library exited with success"
    fi
    [[ ! -s alone.out ]] || fail "a missing library wrote to standard output"
    grep -q 'DVLIBREGEX.dll が見つからないか、使えません' alone.err ||
        fail "missing library: $(cat alone.err)"
fi

for i in $(seq 1 20000); do printf '日本語のテキスト %d 件\n' "$i"; done >long.in
regex '(\d+) 件' '[$1]' <long.in >long.out
[[ $(wc -l <long.out) == 20000 ]] || fail "long text: $(wc -l <long.out) lines"
[[ $(tail -1 long.out) == "日本語のテキスト [20000]" ]] || fail "long text: $(tail -1 long.out)"
# Through a pipe the size is not known beforehand.
cat long.in | regex '(\d+) 件' '[$1]' | cmp -s - long.out || fail "long text through a pipe"
echo "kvtx regex: all checks passed"
