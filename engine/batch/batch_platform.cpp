#include "engine/batch/batch_platform.h"

#include <utility>

TMessageButton TBatchPlatform::ShowMessage(TMessageKind kind, std::string_view text,
                                           unsigned buttons) {
    messages_.push_back({kind, std::string(text)});
    return Affirmative(buttons);
}

void TBatchPlatform::Repaint() {
    if (cancelled_.load(std::memory_order_relaxed))
        throw TBatchCancelled();
}

std::vector<TBatchMessage> TBatchPlatform::TakeMessages() {
    return std::exchange(messages_, {});
}
