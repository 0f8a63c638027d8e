// The line beside the input path that tells the encoding the input file is read in:
// "文字コード: UTF-8（自動判別）" when the program detects it, "文字コード: EUC-JP（指定）" when
// the main window names it, empty without an input file.
#pragma once

#include "commands/command_env.h"

// Sets the main window's lblInputEncoding for the input path and cmbInputEncoding as they stand.
void ShowInputEncoding(TCommandEnv& env);

// Keeps the line current when cmbInputEncoding changes.
void ConnectInputEncodingLabel(TCommandEnv& env);
