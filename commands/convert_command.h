// The convert button "変換": the input file shown on the main window into its page.
#pragma once

#include "commands/command_env.h"

// Re-reads the options from porukano.ini, names the page (MakeOutputPath), asks before
// overwriting an existing page unless OverWrite is on (on "いいえ(&N)" the save dialog chooses
// another page; cancelling it stops with "出力ファイルが指定されていません！"), converts, reports
// the page unless NoDialog is on (with a note on image paths when the page may refer to local
// images) and shows it when "変換後ブラウザで表示" is ticked. An empty input path stops at once
// with "入力ファイルが指定されていません！".
void ConvertCommand(TCommandEnv& env);
