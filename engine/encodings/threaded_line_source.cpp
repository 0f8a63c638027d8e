#include "engine/encodings/threaded_line_source.h"

#include <utility>

#include "engine/encodings/line_reader.h"
#include "engine/encodings/sjis_bridge.h"

TThreadedLineSource::TThreadedLineSource(TLineReader& reader, TSjisBridge* bridge, bool ahead)
    : reader_(reader), ahead_(ahead) {
    if (!ahead_)
        return;
    for (std::size_t k = 0; k < kBatches; ++k) {
        TBatch batch;
        empty_.Push(batch);
    }
    if (bridge)
        bridge->ShareWithReaderThread();
    worker_ = std::thread([this] { ReadAhead(); });
}

TThreadedLineSource::~TThreadedLineSource() {
    Stop();
}

// Fills the empty batches the calling thread hands back, until the text ends or the queues are
// cancelled. An exception (out of memory) ends the reading as the end of the text does, and is
// thrown on the calling thread when it gets there.
void TThreadedLineSource::ReadAhead() {
    try {
        TBatch batch;
        bool more = true;
        while (more && empty_.Pop(batch)) {
            // The room a line longer than kBigBatch needed is not kept for the lines after it.
            if (batch.Text.capacity() > kBigBatch)
                batch = {};
            batch.Text.clear();
            batch.Ends.clear();
            while (batch.Text.size() < kBatchBytes && (more = reader_.Append(batch.Text)))
                batch.Ends.push_back(batch.Text.size());
            const bool big = batch.Text.size() > kBigBatch;
            if (!batch.Ends.empty() && !full_.Push(batch))
                break;
            if (big && !AwaitAllButOne())
                break;
        }
    } catch (...) {
        failure_ = std::current_exception();
    }
    full_.Close();
}

// Waits until the calling thread has taken every batch but the one it converts from: then only
// that batch and the next one read can be big at once.
bool TThreadedLineSource::AwaitAllButOne() {
    std::vector<TBatch> held(kBatches - 1);
    for (TBatch& batch : held) {
        if (!empty_.Pop(batch))
            return false;
    }
    for (TBatch& batch : held)
        empty_.Push(batch);
    return true;
}

bool TThreadedLineSource::Next(std::string_view& line) {
    if (!ahead_) {
        if (!reader_.Next(line_))
            return false;
        line = line_;
        return true;
    }
    while (next_ == current_.Ends.size()) {
        // The batch taken is handed back to be filled again; the queue of empty ones has room
        // for every batch there is, so this never waits.
        if (!current_.Ends.empty()) {
            empty_.Push(current_);
            current_ = {};
        }
        next_ = 0;
        if (!full_.Pop(current_)) {
            Join();
            return false;
        }
    }
    const std::size_t start = next_ == 0 ? 0 : current_.Ends[next_ - 1];
    line = std::string_view(current_.Text).substr(start, current_.Ends[next_] - start);
    ++next_;
    return true;
}

void TThreadedLineSource::Stop() {
    empty_.Cancel();
    full_.Cancel();
    if (worker_.joinable())
        worker_.join();
    current_ = {};
    next_ = 0;
}

void TThreadedLineSource::Join() {
    if (worker_.joinable())
        worker_.join();
    if (failure_)
        std::rethrow_exception(std::exchange(failure_, nullptr));
}
