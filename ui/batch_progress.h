// A batch run followed in a progress dialog: files and bytes done, a cancel button, and the
// window's event loop running meanwhile, so that the program stays responsive.
#pragma once

#include <QWidget>

#include <functional>

#include "engine/batch/batch_run.h"

// Hands each file's result to done in the list's order until the run ends. The dialog's cancel
// stops the run (TBatchRun::Cancel) and waits for the jobs under way to stop.
void FollowBatchInDialog(QWidget* parent, TBatchRun& run,
                         const std::function<void(const TBatchFile&, const TBatchResult&)>& done);

// The dialog's text for progress: "ファイル 12 / 400（3.1 / 10.5 MB）".
QString BatchProgressText(const TBatchProgress& progress);
