#!/usr/bin/env bash
# man_pages.sh MAN_FOLDER PORUKANO_CLI: the filled-in manual pages of the build format without a
# single groff warning (the Japanese ones with groff's Japanese line breaking, as man uses for
# them), and every option that porukano-cli --help lists is described in porukano-cli(1) in both
# languages, so the page cannot fall behind the program unnoticed.
set -euo pipefail
man_folder=$1
cli=$2
export LC_ALL=C.UTF-8

failed=0
pages=("$man_folder"/en/*.1 "$man_folder"/ja/*.1)
((${#pages[@]} >= 2)) || { echo "no manual pages in $man_folder"; exit 1; }
for page in "${pages[@]}"; do
    japanese=()
    [[ $page == */ja/* ]] && japanese=(-mja)
    if ! warnings=$(groff -k "${japanese[@]}" -man -Tutf8 -ww "$page" 2>&1 >/dev/null); then
        echo "groff failed on $page"
        failed=1
    fi
    if [[ -n $warnings ]]; then
        echo "groff warns on $page:"
        echo "$warnings"
        failed=1
    fi
done

# The options of the help: the words starting with "-" on its option lines.
options=$("$cli" --help | sed -n 's/^  \(-[^ ].*\)/\1/p' | tr ',' ' ' | tr ' ' '\n' | grep '^-')
[[ $(wc -l <<<"$options") -ge 10 ]] || { echo "too few options read from --help: $options"; exit 1; }
for language in en ja; do
    page=$man_folder/$language/porukano-cli.1
    for option in $options; do
        # roff writes each hyphen of an option as \-.
        if ! grep -qF -- "${option//-/\\-}" "$page"; then
            echo "$page does not describe $option"
            failed=1
        fi
    done
done
exit "$failed"
