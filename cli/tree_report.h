// What porukano-cli -r says of its run besides the conversions' own messages: the text after
// the progress bar, and at the end the files that were not converted.
#pragma once

#include <ostream>
#include <string>

#include "engine/batch/batch_run.h"

// The files and bytes done of all, after the bar: " 12/400 files, 3.1/7.0 MB".
std::string TreeProgressText(const TBatchProgress& progress, bool japanese);

class TTreeReport {
  public:
    TTreeReport(std::ostream& err, bool japanese) : err_(err), japanese_(japanese) {}

    // The line before the list of files not converted, when there are any.
    void ListBegins(const TBatchCounts& counts);
    // One file of the list; its messages follow.
    void FailedFile(const std::string& file);
    // The files the run did not reach after it was interrupted.
    void Interrupted(int cancelled);

  private:
    std::ostream& err_;
    bool japanese_;
};
