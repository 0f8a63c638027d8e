// Batch conversions of the window: several files converted at once by the jobs porukano-cli -r
// uses, and the file menu's 「フォルダを変換」.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "commands/command_env.h"
#include "engine/batch/batch_run.h"

// Converts files with the main window's settings by DefaultJobCount() jobs, handing each file's
// result to done in the list's order; env.FollowBatch shows the run when it is set.
TBatchCounts RunBatch(TCommandEnv& env, std::vector<TBatchFile> files,
                      const std::function<void(const TBatchFile&, const TBatchResult&)>& done);

// 「フォルダを変換」: the folder dialog, starting in the input file's folder; then every "*.txt"
// of the chosen folder's tree (sub-folders included, links to folders not followed) converted
// beside itself. Unless CnvDialogUnvisible, the batch conversion's question comes first, with
// the number of texts ("いいえ(&N)" converts nothing). At the end the summary: converted,
// failed and cancelled, then the files that failed or were warned about with their messages
// (the first kMostFilesInSummary of each). A folder without texts says so.
void ConvertFolderCommand(TCommandEnv& env);

inline constexpr int kMostFilesInSummary = 5;
