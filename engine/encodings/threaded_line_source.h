// The lines of an input file for the conversion, read and decoded ahead on a thread of its own
// while the calling thread converts the lines before them, or read on the calling thread where
// that would not pay off. Either way the lines, the reader's end (Failed, Error) and the
// decoder's (GaveUp, the counts) are the same.
//
// The reader thread fills batches of whole lines (about kBatchBytes each: the fewer hand-overs,
// the fewer times one thread wakes the other across cores) and hands them over through a bounded
// queue: at most kBatches exist, so however big the file, what is read ahead stays a few batches.
// A batch is bigger only for a line longer than kBatchBytes, which is held whole as when one
// thread reads it; after a batch bigger than kBigBatch the reader thread waits until it is being
// converted before it reads on, so that at most two such lines are held. The reader thread
// touches nothing but the reader, its decoder and the decoder's bridge (handing out stand-ins:
// see TSjisBridge for what the calling thread may do meanwhile), never the platform or the form.
#pragma once

#include <cstddef>
#include <exception>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "engine/text/bounded_queue.h"

class TLineReader;
class TSjisBridge;

class TThreadedLineSource {
  public:
    static constexpr std::size_t kBatchBytes = 1 << 18;
    static constexpr std::size_t kBatches = 4;
    static constexpr std::size_t kBigBatch = 4 * kBatchBytes;

    // Reads reader's lines, on a thread of its own when ahead is true. bridge is the one the
    // reader's decoder hands stand-ins out of (nullptr without a decoder). The reader and bridge
    // must outlive this object, and nothing else may use the reader until Next has returned false
    // or Stop has been called.
    TThreadedLineSource(TLineReader& reader, TSjisBridge* bridge, bool ahead);
    // Stops the reader thread (see Stop).
    ~TThreadedLineSource();
    TThreadedLineSource(const TThreadedLineSource&) = delete;
    TThreadedLineSource& operator=(const TThreadedLineSource&) = delete;

    // The next line, valid until the next call; false at the end of the text or on a read error
    // (as TLineReader::Next), when the reader thread has ended and the reader can be asked why. A
    // failure that ended the reader thread by an exception (out of memory) is thrown here.
    bool Next(std::string_view& line);

    // Ends the reading before the end of the text: the reader thread stops at its next line and
    // is waited for, so no thread is left running. The reader is left where that thread stopped,
    // which is of no use but to be closed.
    void Stop();

    // True when the lines are read on a thread of their own.
    bool ReadsAhead() const { return ahead_; }

  private:
    struct TBatch {
        std::string Text;               // the lines one after another
        std::vector<std::size_t> Ends;  // where each line of Text ends
    };

    void ReadAhead();
    // Takes every empty batch there will be, but the one the calling thread holds, and hands
    // them back; false when the reading is stopped meanwhile.
    bool AwaitAllButOne();
    // Waits for the reader thread and throws what ended it, if anything did.
    void Join();

    TLineReader& reader_;
    const bool ahead_;
    std::string line_;  // the line read on the calling thread
    TBoundedQueue<TBatch> full_{kBatches};
    TBoundedQueue<TBatch> empty_{kBatches};
    TBatch current_;  // the batch the calling thread takes lines from
    std::size_t next_ = 0;
    std::exception_ptr failure_;
    std::thread worker_;
};
