#!/usr/bin/env bash
# Big and slow inputs through porukano-cli, one case per run, each within a time bound:
#   big_inputs.sh PORUKANO_CLI CASE
# Cases: long_line (one line of 100 MB), million_lines, too_long_line (past the 32-bit
# positions), mail_addresses (40,000 on one line), kanji_run (a whole-word rule on one line of
# 200,000 kanji), enclosed_deletes (40,000 enclosed keywords whose marks are deleted, on one
# line), regex_backreference (a keyword that no retry limit stops). The times are for an
# optimised build; ctest runs these as the tests labelled "big".
set -euo pipefail
export LC_ALL=C
cli=$1
case_name=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"

fail() {
    echo "big_inputs $case_name: $*" >&2
    exit 1
}

# Runs the converter with a bound in seconds; sets elapsed (seconds) and status.
run_within() {
    local bound=$1
    shift
    local start end
    start=$(date +%s%N)
    status=0
    timeout $((bound * 3)) "$cli" -q "$@" 2>stderr.txt || status=$?
    end=$(date +%s%N)
    elapsed=$(((end - start) / 1000000))
    echo "$case_name: $* took ${elapsed} ms (exit $status)"
    ((elapsed <= bound * 1000)) || fail "took ${elapsed} ms, more than ${bound} s"
}

count() {  # occurrences of one byte in a file
    tr -cd "$1" <"$2" | wc -c
}

case $case_name in
long_line)
    # Text, entities, double-byte characters (表 ends in "\"), half-width katakana; the cut at
    # 100 MB may leave a lead byte alone at the very end.
    chunk=$'abc def&ghi<jkl>"m\x82\xa0\x82\xa2\x95\x5c\x8c\xea\xb1\xb2 '
    yes "$chunk" | tr -d '\n' | head -c 100000000 >big.txt || true
    printf x >small.txt
    run_within 20 big.txt
    ((status == 0)) || fail "exit $status: $(cat stderr.txt)"
    "$cli" -q small.txt
    [[ $(tail -c 9 big.htm) == $'</html>\r' ]] || fail "the page does not end with </html>"
    # The one body line is "<p>" + the escaped text + "<br>", as "<p>x<br>" is for small.txt.
    n=$(stat -c %s big.txt)
    escaped=$((n + 4 * $(count '&' big.txt) + 3 * $(count '<>' big.txt) +
        5 * $(count '" ' big.txt)))
    grown=$(($(stat -c %s big.htm) - $(stat -c %s small.htm)))
    ((grown == escaped - 1)) || fail "page body is $grown bytes longer than for x, not $((escaped - 1))"
    ;;
million_lines)
    yes $'abc \x82\xa0\x82\xa2\r' | head -n 1000000 >big.txt || true
    printf 'abc\r\n' >small.txt
    run_within 10 big.txt
    ((status == 0)) || fail "exit $status: $(cat stderr.txt)"
    "$cli" -q small.txt
    lines=$(($(wc -l <big.htm) - $(wc -l <small.htm)))
    ((lines == 999999)) || fail "$lines more page lines than for one line, not 999999"
    ;;
too_long_line)
    # 45 million tabs at width 8 escape to 2.16 GB, past the line object's 32-bit positions.
    head -c 45000000 /dev/zero | tr '\0' '\t' >big.txt
    run_within 20 --set main.tabspace=8 big.txt
    ((status == 1)) || fail "exit $status, not 1"
    grep -q '長すぎて変換できない行があります。終了します' stderr.txt ||
        fail "no refusal message: $(cat stderr.txt)"
    ;;
mail_addresses)
    for ((i = 0; i < 40000; i++)); do printf 'a@b.jp '; done >big.txt
    run_within 2 big.txt
    ((status == 0)) || fail "exit $status: $(cat stderr.txt)"
    links=$(grep -o '<a href="mailto:a@b.jp">a@b.jp</a>' big.htm | wc -l)
    ((links == 40000)) || fail "$links links, not 40000"
    ;;
kanji_run)
    # One line of 200,000 亜 (both bytes in the lead range) with a whole-word rule for 亜: every
    # candidate's word-boundary check must not walk back over the whole run in front of it.
    yes $'\x88\x9f' | tr -d '\n' | head -c 400000 >big.txt || true
    run_within 2 --set strong3.keyword=亜 --set strong3.keykbn=2 --set strong3.trim=0 big.txt
    ((status == 0)) || fail "exit $status: $(cat stderr.txt)"
    (($(count $'\x88' big.htm) == 200000)) || fail "the page does not hold the 200,000 characters"
    ;;
enclosed_deletes)
    # 40,000 「a」 in a row on one line, each a kept emphasis whose marks are deleted: every
    # deletion meets the tag of the element before it.
    for ((i = 0; i < 40000; i++)); do printf '\x81\x75a\x81\x76'; done >big.txt
    run_within 2 --set 'strong4.keyword=「*」' --set strong4.keykbn=3 --set strong4.keywhat=1 big.txt
    ((status == 0)) || fail "exit $status: $(cat stderr.txt)"
    opened=$(grep -o '<span class="strong4">' big.htm | wc -l)
    closed=$(grep -o '</span>' big.htm | wc -l)
    ((opened == 40000 && closed == 40000)) || fail "$opened elements opened, $closed closed"
    ;;
regex_backreference)
    { head -c 100000 /dev/zero | tr '\0' a; printf '\r\naab\r\n'; } >big.txt
    run_within 10 --set 'strong3.keyword=(?=(a+))\1*b' --set strong3.keykbn=4 big.txt
    ((status == 0)) || fail "exit $status: $(cat stderr.txt)"
    grep -q '正規表現の検索に時間がかかりすぎるため' stderr.txt || fail "no warning: $(cat stderr.txt)"
    grep -q '<span class="strong3">aab</span>' big.htm || fail "the short line lost its emphasis"
    ;;
*)
    fail "unknown case"
    ;;
esac
echo "$case_name: ok"
