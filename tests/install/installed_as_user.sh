#!/usr/bin/env bash
# installed_as_user.sh BUILD_FOLDER SAMPLE_TEXT INSTALL_CHECK: installs the build into a fresh
# root-owned prefix and runs the installed programs there as an ordinary user, as after
# `apt install`: porukano-cli converts the sample into the user's folder; porukano-install-check,
# copied next to porukano, drives the windows (options dialog's OK, a settings file saved, the
# preview, the close steps) without a message box, and the options land in
# ~/.config/porukano/porukano.ini beside the kept settings last.prkn; the real porukano starts,
# also with --open FILE, which converts nothing. Nothing may be written into the
# prefix. Needs root (to own the prefix and to switch users); skipped (77) otherwise.
set -euo pipefail
build=$1
sample=$2
install_check=$3
user=porukano-check

if [[ $(id -u) -ne 0 ]]; then
    echo "needs root: the prefix must belong to someone else than the user who runs the programs"
    exit 77
fi
id "$user" >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$user"

root=$(mktemp -d /tmp/porukano-install.XXXXXX)
home=$(mktemp -d /tmp/porukano-home.XXXXXX)
trap 'rm -rf "$root" "$home"' EXIT
chmod 755 "$root"
prefix=$root/usr
cmake --install "$build" --prefix "$prefix" >/dev/null
install -m 755 "$install_check" "$prefix/bin/porukano-install-check"
install -m 644 "$sample" "$home/sample.txt"
mkdir "$home/runtime"
chmod 700 "$home/runtime"
chown -R "$user:" "$home"

# Every file and folder of the prefix with its mode, owner, size and checksum.
listing() {
    (cd "$root" && find . -printf '%p %M %u %s\n' | LC_ALL=C sort &&
        find . -type f -exec sha256sum {} + | LC_ALL=C sort -k2)
}
before=$(listing)

# as_user COMMAND...: runs COMMAND as the user in their folder, with a clean environment.
as_user() {
    (cd "$home" && runuser -u "$user" -- env -i HOME="$home" PATH="$prefix/bin:/usr/bin:/bin" \
        LANG=C.UTF-8 XDG_RUNTIME_DIR="$home/runtime" QT_QPA_PLATFORM=offscreen \
        QTWEBENGINE_DISABLE_SANDBOX=1 "$@")
}

failed=0
fail() {
    echo "FAILED: $*"
    failed=1
}

# The licence travels with the programs: the copyright file and the software centre's entry.
grep -q '^License: Expat' "$prefix/share/doc/porukano/copyright" ||
    fail "the installed copyright file names no MIT (Expat) licence"
grep -q '<project_license>MIT</project_license>' "$prefix"/share/metainfo/*.metainfo.xml ||
    fail "the AppStream entry names no project licence"

# The command-line converter.
if as_user porukano-cli -q sample.txt; then
    page=$(iconv -f CP932 -t UTF-8 "$home/sample.htm" 2>/dev/null || true)
    [[ $page == *"<html"* && $page == *"ポルカノ変換の見本"* ]] || fail "porukano-cli wrote no page of the sample"
else
    fail "porukano-cli could not convert the sample as $user"
fi

# porukano-cli's messages as the user reads them: the help in Japanese under a Japanese locale,
# and failures that say why (a file only root may read, the root-owned prefix as the page's
# folder).
help=$(as_user env LANG=ja_JP.UTF-8 porukano-cli --help) || fail "porukano-cli --help failed"
[[ $help == "使い方: porukano-cli"* ]] || fail "porukano-cli --help is not Japanese under ja_JP"
install -m 600 -o root /dev/null "$home/secret.txt"
if err=$(as_user porukano-cli -q secret.txt 2>&1); then
    fail "porukano-cli read a file the user may not read"
fi
[[ $err == *"理由: ファイルを読み込む権限がありません。"* ]] || fail "no reason for an unreadable file: $err"
if err=$(as_user porukano-cli -q -o "$prefix/page.htm" sample.txt 2>&1); then
    fail "porukano-cli wrote into the prefix"
fi
[[ $err == *"理由: 書き込み先のフォルダーに書き込む権限がありません。"* ]] ||
    fail "no reason for a folder the user may not write: $err"

# porukano-cli --watch follows a change of the text and ends by SIGTERM with status 0.
install -m 644 -o "$user" "$sample" "$home/watched.txt"
as_user timeout --preserve-status -s TERM 5 porukano-cli --watch -q watched.txt \
    2>"$home/watch.err" &
watcher=$!
for _ in $(seq 200); do [[ -s $home/watch.err ]] && break; sleep 0.02; done
printf 'watched-again\r\n' >"$home/watched.txt"
for _ in $(seq 200); do grep -q 'watched-again' "$home/watched.htm" 2>/dev/null && break; sleep 0.02; done
grep -q 'watched-again' "$home/watched.htm" || fail "porukano-cli --watch missed the change"
status=0
wait "$watcher" || status=$?
[[ $status -eq 0 ]] || fail "porukano-cli --watch ended by SIGTERM with status $status"
[[ $(tail -n 1 "$home/watch.err") == "porukano-cli: watch ended" ]] ||
    fail "porukano-cli --watch did not end cleanly: $(cat "$home/watch.err")"

# The windows, driven through their steps.
as_user porukano-install-check "$home" || fail "the window steps (see above)"
ini=$home/.config/porukano/porukano.ini
if [[ -f $ini ]]; then
    grep -q '^BrowserView=' "$ini" || fail "$ini lacks the close steps' BrowserView"
else
    fail "no options in $ini"
fi
[[ -f $home/.config/porukano/last.prkn ]] || fail "the close kept no settings in last.prkn"

# The installed desktop program itself starts and keeps running until it is stopped.
status=0
as_user timeout 5 porukano >/dev/null 2>"$home/porukano.err" || status=$?
if [[ $status -ne 124 ]]; then
    cat "$home/porukano.err"
    fail "porukano ended by itself with status $status"
fi

# Opening a text file, as the desktop entry does, starts the window and converts nothing.
rm -f "$home/sample.htm"
status=0
as_user timeout 5 porukano --open sample.txt >/dev/null 2>"$home/porukano.err" || status=$?
if [[ $status -ne 124 ]]; then
    cat "$home/porukano.err"
    fail "porukano --open ended by itself with status $status"
fi
[[ ! -e $home/sample.htm ]] || fail "porukano --open converted the file"

after=$(listing)
if [[ $before != "$after" ]]; then
    diff <(echo "$before") <(echo "$after") || true
    fail "something was written into the prefix"
fi
exit "$failed"
