#include "cli/help_text.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "settings/settings_keys.h"

namespace {

constexpr const char* kEnglishUsage =
    "Usage: porukano-cli [OPTIONS] FILE...\n"
    "       porukano-cli -r [OPTIONS] FOLDER...\n"
    "Converts Japanese text files into HTML pages, with the settings of a freshly opened main\n"
    "window: HTML 4.01 Transitional, or HTML5 with --set main.DocType=1 or with the ruby\n"
    "notation on (--set main.RubyNotation=1, or Aozora Bunko's annotations with\n"
    "--set main.AozoraNotation=1). The text's encoding is detected (a byte order\n"
    "mark, then UTF-8, then Shift_JIS, EUC-JP or ISO-2022-JP; Shift_JIS when in doubt) unless\n"
    "named; the page keeps Shift_JIS and EUC-JP and is UTF-8 for every other text unless named.\n"
    "\n"
    "Each FILE is written beside itself with its extension replaced by \".htm\" (\".html\" when\n"
    "porukano.ini says Extension=1); an existing page is overwritten. porukano.ini is read from\n"
    "$PORUKANO_HOME when set, else from the program's folder when it holds a writable one, else\n"
    "from $XDG_CONFIG_HOME/porukano (~/.config/porukano), as the desktop program does.\n"
    "\"-\" as FILE reads standard input and writes standard output.\n"
    "\n"
    "Options:\n"
    "  -s, --settings FILE\n"
    "                 load a settings file (.prkn, .rkn) before converting\n"
    "  --set SECTION.KEY=VALUE\n"
    "                 set one settings-file key as if the settings file held it (after\n"
    "                 --settings; repeatable), e.g. --set main.addtag=2 --set HolLine1.Mark=-\n"
    "  --save-settings FILE\n"
    "                 write the settings in force to FILE (a .prkn file); FILE... may be empty\n"
    "  --input-encoding auto|shift_jis|utf-8|euc-jp|iso-2022-jp\n"
    "                 the encoding of the text (default auto; UTF-16 is found by its byte\n"
    "                 order mark; sjis and cp932 also name Shift_JIS)\n"
    "  --output-encoding input|shift_jis|utf-8|euc-jp\n"
    "                 the encoding of the page (default input: as the text, UTF-8 for UTF-8,\n"
    "                 ISO-2022-JP and UTF-16 text); a character the page's encoding lacks is\n"
    "                 written as a character reference such as &#x1F600;\n"
    "  -o, --output PATH\n"
    "                 write the page of a single FILE to PATH (\"-\" for standard output)\n"
    "  --text-box     print the text-box conversion (stylesheet block, then the body lines,\n"
    "                 each ended by CR LF) instead of writing a page\n"
    "  -w, --watch    convert each FILE, then again whenever it changes (written in place or\n"
    "                 replaced by a rename), with a line on standard error for each conversion,\n"
    "                 until Ctrl+C or SIGTERM ends the run (exit status 0)\n"
    "  -r, --recursive\n"
    "                 the arguments are folders: convert every text of their trees (sub-folders\n"
    "                 included, links to folders not followed), several files at once, each\n"
    "                 page beside its text or under --out-dir; one progress line for files and\n"
    "                 bytes on a terminal; the files not converted are listed at the end with\n"
    "                 their messages; Ctrl+C stops the run and removes a page it cut short\n"
    "  -j, --jobs N   with -r, convert N files at once (1 to 256; default: the number of\n"
    "                 processors it may use); the pages are the same for any N\n"
    "  --out-dir DIR  with -r, write the pages into a tree under DIR that mirrors the inside of\n"
    "                 each folder (FOLDER/sub/a.txt gives DIR/sub/a.htm), making folders as\n"
    "                 needed; DIR is never read for texts\n"
    "  --glob PATTERN with -r, the texts are the files whose name matches the shell pattern\n"
    "                 (default *.txt; repeatable: a name matching any of them counts; letter\n"
    "                 case counts, a leading \".\" is matched like any other character)\n"
    "  -q, --quiet    no progress bar\n"
    "  -h, --help     show this help\n"
    "  --version      show the program's identity\n"
    "\n"
    "Messages go to standard error with their kind (警告, エラー, ...); a file that cannot be\n"
    "opened or written is named with the reason. The exit status is 0 when every file\n"
    "converted, 1 when any failed (the others are still converted) or the settings could not be\n"
    "loaded or saved, 2 for bad usage.\n"
    "\n"
    "Values of --set are UTF-8 and are stored in Shift_JIS as in the file; a character without a\n"
    "Shift_JIS form is refused. Booleans are 1 or 0, list positions count from 0, multi-line\n"
    "texts end each line with the four characters \\r\\n, a double quote in keywords is &quot;.\n"
    "Settings-file keys (strongN and HolLineN for N = 1 to 5):\n";

constexpr const char* kJapaneseUsage =
    "使い方: porukano-cli [オプション] ファイル...\n"
    "        porukano-cli -r [オプション] フォルダー...\n"
    "日本語のテキストファイルを、開いたばかりのメインウィンドウの設定でＨＴＭＬに変換します。\n"
    "ページは HTML 4.01 Transitional です。--set main.DocType=1 のとき、またはルビ記法を\n"
    "使うとき（--set main.RubyNotation=1）と青空文庫注記を使うとき\n"
    "（--set main.AozoraNotation=1）は HTML5 になります。テキストの文字コードは、\n"
    "指定がなければ判定します（バイトオーダーマーク、UTF-8、Shift_JIS・EUC-JP・ISO-2022-JP\n"
    "の順。迷うときは Shift_JIS）。ページは指定がなければ、Shift_JIS と EUC-JP のテキストでは\n"
    "同じ文字コード、ほかのテキストでは UTF-8 になります。\n"
    "\n"
    "各ファイルは、拡張子を \".htm\"（porukano.ini が Extension=1 なら \".html\"）に替えた名前で\n"
    "ファイルの隣に書き出します。同じ名前のページは上書きします。porukano.ini は\n"
    "$PORUKANO_HOME があればそこから、なければ書き込めるものがプログラムのフォルダーにあれば\n"
    "そこから、なければ $XDG_CONFIG_HOME/porukano（~/.config/porukano）から、デスクトップの\n"
    "プログラムと同じように読みます。\n"
    "ファイルに \"-\" を指定すると標準入力を読み、標準出力に書き出します。\n"
    "\n"
    "オプション:\n"
    "  -s, --settings ファイル\n"
    "                 変換の前に設定ファイル（.prkn、.rkn）を読み込む\n"
    "  --set セクション.キー=値\n"
    "                 設定ファイルのキーを一つ、設定ファイルにそう書かれているものとして設定\n"
    "                 する（--settings の後。何度でも）。例: --set main.addtag=2\n"
    "                 --set HolLine1.Mark=-\n"
    "  --save-settings ファイル\n"
    "                 いまの設定をファイル（.prkn）に書き出す。変換するファイルはなくてよい\n"
    "  --input-encoding auto|shift_jis|utf-8|euc-jp|iso-2022-jp\n"
    "                 テキストの文字コード（既定は auto。UTF-16 はバイトオーダーマークで\n"
    "                 判定。sjis と cp932 も Shift_JIS を表す）\n"
    "  --output-encoding input|shift_jis|utf-8|euc-jp\n"
    "                 ページの文字コード（既定は input: テキストと同じ。UTF-8、ISO-2022-JP、\n"
    "                 UTF-16 のテキストでは UTF-8）。ページの文字コードにない文字は\n"
    "                 &#x1F600; のような文字参照で書く\n"
    "  -o, --output パス\n"
    "                 一つだけのファイルのページをパスに書き出す（\"-\" で標準出力）\n"
    "  --text-box     ページを書く代わりに、テキストボックス変換の結果（スタイルシートの\n"
    "                 部分、続いて本文の各行。どの行も CR LF で終わる）を出力する\n"
    "  -w, --watch    各ファイルを変換し、その後も変わるたびに（その場での書き込みでも、\n"
    "                 名前の変更による置き換えでも）変換し直す。変換ごとに標準エラー出力に\n"
    "                 一行出す。Ctrl+C か SIGTERM で終わる（終了ステータス 0）\n"
    "  -r, --recursive\n"
    "                 引数をフォルダーとして、その下（サブフォルダーを含む。フォルダーへの\n"
    "                 リンクはたどらない）のテキストをすべて、いくつか同時に変換する。\n"
    "                 ページはテキストの隣か --out-dir の下に書く。端末には進み具合\n"
    "                 （ファイル数とバイト数）を一行で出し、変換できなかったファイルは最後に\n"
    "                 メッセージとともに並べる。Ctrl+C で止めると、途中のページは消す\n"
    "  -j, --jobs N   -r で、N 個のファイルを同時に変換する（1～256。既定は使えるプロセッサー\n"
    "                 の数）。ページは N によらず同じになる\n"
    "  --out-dir DIR  -r で、ページを DIR の下に、各フォルダーの中と同じ形の木にして書く\n"
    "                 （フォルダー/sub/a.txt なら DIR/sub/a.htm）。フォルダーは必要に応じて\n"
    "                 作る。DIR の中はテキストとして読まない\n"
    "  --glob PATTERN -r で、名前がシェルのパターンに合うファイルを変換する（既定は *.txt。\n"
    "                 何度でも指定でき、どれかに合えば変換する。大文字と小文字は区別し、\n"
    "                 先頭の \".\" もほかの文字と同じに扱う）\n"
    "  -q, --quiet    進み具合を表示しない\n"
    "  -h, --help     このヘルプを表示する\n"
    "  --version      プログラムの名前と版を表示する\n"
    "\n"
    "メッセージは種類（警告、エラー、...）を付けて標準エラー出力に出ます。開けないファイルや\n"
    "書き込めないファイルは、理由を添えて名前を出します。終了ステータスは、すべてのファイルを\n"
    "変換したとき 0、変換できなかったファイルがあるとき（ほかのファイルは変換します）または\n"
    "設定ファイルを読み込めず書き出せなかったとき 1、使い方の誤りのとき 2 です。\n"
    "\n"
    "--set の値は UTF-8 で書き、ファイルと同じく Shift_JIS で持ちます。Shift_JIS にない文字は\n"
    "受け付けません。真偽値は 1 か 0、リストの位置は 0 から数え、複数行のテキストは各行を\n"
    "4 文字の \\r\\n で終え、キーワードの中の二重引用符は &quot; と書きます。\n"
    "設定ファイルのキー（strongN と HolLineN の N は 1～5）:\n";

// The key list of the help, from the table the settings file is written by.
std::string KeyHelp() {
    std::string help;
    for (const TSettingsKeyInfo& key : SettingsFileKeys()) {
        std::string name = std::string(key.Section) + (key.Numbered ? "N." : ".") + key.Key;
        name.resize(std::max<std::size_t>(name.size() + 1, 30), ' ');
        help += "  " + name + key.Kind + "\n";
    }
    return help;
}

}  // namespace

bool IsJapaneseLocale() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return std::string_view(value).starts_with("ja");
    }
    return false;
}

std::string HelpText(bool japanese) {
    return (japanese ? kJapaneseUsage : kEnglishUsage) + KeyHelp();
}
