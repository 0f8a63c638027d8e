// The platform of one job of a batch conversion. A job runs on a thread of its own, where no
// message may be shown: its messages are kept in their order and handed on with the file's
// result. A question gets its affirmative button, as nobody is there to answer.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "engine/base/platform.h"

struct TBatchMessage {
    TMessageKind Kind = TMessageKind::Information;
    std::string Text;  // Shift_JIS
};

// Thrown out of a conversion whose run was cancelled. Not a std::exception, so that nothing on
// the way out takes it for a failure of its own.
struct TBatchCancelled {};

class TBatchPlatform : public TUnattendedPlatform {
  public:
    // cancelled is the run's flag; once it is set, the conversion's next repaint (its progress,
    // at each percent of its lines) throws TBatchCancelled.
    explicit TBatchPlatform(const std::atomic<bool>& cancelled) : cancelled_(cancelled) {}

    TMessageButton ShowMessage(TMessageKind kind, std::string_view text, unsigned buttons) override;
    void Repaint() override;

    // The messages kept since the last call.
    std::vector<TBatchMessage> TakeMessages();

  private:
    const std::atomic<bool>& cancelled_;
    std::vector<TBatchMessage> messages_;
};
