// Commands of the main window: the start-up sequence with the batch conversion of the files given
// on the command line (files dropped onto the program's icon) or the file to open ("--open"),
// files dropped on the window, the choice of the input file, the close steps and the online help.
#pragma once

#include "commands/command_env.h"

// Runs once, when the main window is first shown: OptionsFolder, the caption, OptionsPath, the
// options (ReadOptions, ReadBrowserView, ApplyOptionDialog), the start-up settings file or else,
// when RememberSettings is on, the settings of the last close (LoadRememberedSettings), then
// OpenFileArgument when the arguments begin with "--open" or the batch conversion when there are
// other arguments, then the history into the file menu (skipped when the batch conversion ended
// the program).
void StartUpSequence(TCommandEnv& env);

inline constexpr const char* kOpenArgument = "--open";

// "--open FILE": the file is taken as if dropped on the window (a text file becomes the input
// path with its encoding shown; a ".prkn" file is loaded as settings); nothing is converted. A
// path relative to the current folder is made absolute. A file that cannot be opened is named in
// the error "以下のファイルを開けません。\r\n\t<path>\r\n<reason>", the reason telling that it
// does not exist, is a folder or may not be read; the window stays as it is. Without a FILE
// nothing is opened; after the first FILE the rest are ignored with a warning.
void OpenFileArgument(TCommandEnv& env);

// Converts env.Arguments, several at once (RunBatch). Argument 1 with the extension ".rkn" or
// ".prkn" is loaded as settings instead; every other argument is a text file. Before the
// conversions: the confirmation (unless CnvDialogUnvisible; "いいえ(&N)" ends the program with
// "終了しました。" and nothing converted) and the busy cursor. Each page is written beside its
// text file (overwritten without a question) and shown by its absolute path, also when the
// argument was relative to the current folder; each file's messages and its page come in the
// arguments' order. A file whose page an earlier argument writes is refused with an error.
// After the last: the normal cursor, the summary with the count (unless CnvDialogUnvisible),
// and the end of the program. True when the program ends; false when no text file was given
// (the window stays open).
bool BatchConversion(TCommandEnv& env);

// Files dropped on the main window (native paths; only the first counts): a ".prkn" file is
// loaded as settings and, unless the load stopped on a bad colour, becomes CurrentSettingsFile and
// the top of the history; any other file becomes the input path.
void DropFiles(TCommandEnv& env, const std::vector<std::string>& paths);

// The reference button: the open dialog, starting in the folder of the input path when that
// folder exists (PrepareDialogFolder); the chosen file becomes the input path.
void ChooseInputFile(TCommandEnv& env);

// The close box's steps before the program ends: the preview's folder goes with its files, the
// closing options are written to porukano.ini, and the settings are remembered
// (RememberSettingsAtEnd).
void CloseSteps(TCommandEnv& env);

// When the options' RememberSettings is on, the main window's settings are written to last.prkn
// for the next start (SaveRememberedSettings). The close box and "終了" run it; the end of a
// batch conversion does not.
void RememberSettingsAtEnd(TCommandEnv& env);

// Help menu "オンラインヘルプ(&H)": the options' help address in the associated program; nothing
// when it is empty.
void OnlineHelp(TCommandEnv& env);
