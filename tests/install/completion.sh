#!/usr/bin/env bash
# completion.sh COMPLETION_FILE PORUKANO_CLI: the bash completion of porukano-cli, sourced in
# bash and asked as bash asks it on Tab: options, encoding names, settings-file keys after --set
# (numbered sections spelled out), nothing for a --set value, folders after -r and --out-dir, and
# files otherwise.
set -uo pipefail
source "$1"
cli=$2
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
touch "$folder/memo.txt" "$folder/memo.prkn"
mkdir "$folder/memos"

failed=0
# expect "WANTED" WORDS...: the completions of the last word (as bash splits it) are WANTED.
expect() {
    local wanted=$1
    shift
    COMP_WORDS=("$cli" "$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _porukano_cli
    local got
    got=$(printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | tr '\n' ' ')
    got=${got% }
    if [[ $got != "$wanted" ]]; then
        echo "completing '$*': wanted '$wanted', got '$got'"
        failed=1
    fi
}

expect "--input-encoding" --in
expect "--set --settings" --se
expect "--save-settings" --sa
expect "--watch" --w
expect "--out-dir --output --output-encoding" --out
expect "--recursive" --rec
expect "--glob" --gl
expect "auto euc-jp iso-2022-jp shift_jis utf-8" --input-encoding ""
expect "euc-jp" --output-encoding e
expect "main.addtag=" --set main.add
expect "main.DocType=" --set main.Do
expect "strong1.keykbn= strong1.keywhat= strong1.keyword=" --set strong1.key
expect "HolLine3.Mark= HolLine3.MarkCnt=" --set HolLine3.M
expect "HolLine5.Hol100p=" --set HolLine5.H
# After "=" (a word of its own for bash) comes the value: nothing to offer.
expect "" --set main.addtag = ""
expect "$folder/memo.prkn $folder/memo.txt $folder/memos" -q "$folder/me"
# With -r the arguments are folders, and so is the place of --out-dir; -j and --glob take free
# words.
expect "$folder/memos" -r "$folder/me"
expect "$folder/memos" --out-dir "$folder/me"
expect "" -r -j ""
expect "" -r --glob ""
expect "$folder/memo.prkn" --settings "$folder/memo.p"
exit "$failed"
