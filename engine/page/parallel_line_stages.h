// The lines of a text with their line stages (StageLine) run on threads of their own, handed to
// the calling thread in the text's order, which writes them. Lines hold no state for each other up
// to there, so the stages of two batches of lines can run on two cores at once while the calling
// thread writes a third.
//
// The paragraphs (FinishLine) carry their state from line to line, but that state after a line
// is almost always the same: after a blank line no paragraph is open, after any other line one
// is, and no other element is (TElementNesting::IsPlain). So a stage thread also finishes every
// line of its batch but the first, from the state the first would leave, and the calling thread
// finishes the first line with the true state: where that state is the one assumed, the
// batch's lines are ready as they are, which is nearly always; where it is not (a rule line
// inside a paragraph ends it, and the next text begins another), the calling thread stages and
// finishes the rest of the batch itself, and where that happens to many batches the stage threads
// assume nothing from then on.
//
// The stage threads take turns reading: each reads a batch of whole lines (about kBatchBytes:
// the fewer hand-overs, the fewer times one thread wakes another across cores) under one lock, so
// that the text is read and decoded in its order, one thread at a time, then stages the batch's
// lines while the others read or stage theirs. The batches go to the calling thread in the order
// they were read. A fixed number of batches exists, so however big the file, what is held ahead
// stays a few batches. A batch is bigger only for a line longer than kBatchBytes, held whole as
// when one thread does it all. A line longer than kBigBatch goes into a batch of its own, which
// the calling thread stages itself (a stage thread's copies of it would hold more than all the
// other lines), and while it is held no thread reads on, so that one such line is held at a time.
//
// A stage thread touches its own copy of the settings (with the regular expressions compiled for
// it alone), the reader and its decoder under the reading lock, and the decoder's bridge as
// TSjisBridge allows; never the platform or the form. The messages its stages show are kept with
// their line and shown on the calling thread before that line is handed over.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "engine/base/platform.h"
#include "engine/base/settings_model.h"
#include "engine/line/line_assembly.h"
#include "engine/line/staged_lines.h"
#include "engine/line/untClsHtmlCnv.h"
#include "engine/text/bounded_queue.h"

class TControlCharacterStandIn;
class TLineReader;
class TSjisBridge;

class TParallelLineStages {
  public:
    static constexpr std::size_t kBatchBytes = 1 << 16;
    static constexpr std::size_t kBigBatch = 4 * kBatchBytes;

    // How the calling thread gets a line.
    struct TLine {
        bool Blank = false;      // IsBlankLine of the raw line
        bool ToFinish = false;   // what StageLine returned: FinishLine is to follow
        bool TooLong = false;    // too long for the line object (FitsLinePositions): not staged
        bool Ready = false;      // the line is finished: its text is what goes on the page
        bool StageHere = false;  // a long line, left to the calling thread
        // Finished by a stage thread from an assumed state (see above).
        bool Assumed = false;
        std::uint32_t Index = 0;  // in the batch's staged lines, or its ready ones
    };

    // Starts threads (at least 1, at most 4) staging reader's lines with the settings s (prepared,
    // their regular expressions compiled). decoderBridge is the bridge the reader's decoder hands
    // stand-ins out of (nullptr without a decoder), which the stages also ask. standIn is the
    // engine bytes of the control characters' stand-in (TControlCharacterStandIn). Null when the
    // settings' regular expressions cannot be compiled once more, for each thread: the caller
    // then converts on its own. The reader and bridge must outlive the object, and nothing else
    // may use the reader until Next has returned false or Stop has been called.
    static std::unique_ptr<TParallelLineStages> Start(TLineReader& reader,
                                                      TSjisBridge* decoderBridge, const TStrInfo& s,
                                                      unsigned threads, std::string_view standIn);
    // Stops the threads (see Stop).
    ~TParallelLineStages();
    TParallelLineStages(const TParallelLineStages&) = delete;
    TParallelLineStages& operator=(const TParallelLineStages&) = delete;

    // The next line, once the messages its stages showed have been shown on platform (a message
    // every thread's own regular expression gave, such as a search cut short, only the first
    // time). With about.Ready its text is ready; otherwise line holds it as StageLine left it
    // (without its raw line), to be finished (about.ToFinish) with state, the calling thread's
    // paragraph state, which this brings past the lines that are ready. False at the end of the
    // text or on a read error (as TLineReader::Next), when every thread has ended and the reader
    // can be asked why. A failure that ended a thread by an exception (out of memory) is thrown
    // here.
    bool Next(THtmlCnv& line, TLine& about, std::string_view& ready, TParaState& state,
              TPlatform& platform);

    // Ends the staging before the end of the text: the threads stop after their batch and are
    // waited for. The reader is left where they stopped, which is of no use but to be closed.
    void Stop();

    // The control characters the stages replaced, and the first line of the text (counted from
    // 1) that held one, 0 when none did; complete once Next has returned false.
    long long ControlCharacters() const { return controlCharacters_; }
    long long FirstControlLine() const { return firstControlLine_; }

  private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    struct TKeptMessage {
        std::size_t Line;  // index in its batch
        TMessageKind Kind;
        std::string Text;
    };
    struct TBatch {
        std::uint64_t Number = 0;  // in the order of reading
        long long FirstLine = 0;   // the line of the text Lines[0] is
        std::string Text;          // the raw lines one after another
        std::vector<std::size_t> Ends;
        std::vector<TLine> About;  // one for each line staged, and for a line too long
        TStagedLines Staged;
        std::string ReadyText;  // the ready lines one after another
        std::vector<std::size_t> ReadyEnds;
        // The line from which on the lines are finished from an assumed state (None when none
        // are), the blank line or not in front of it that tells the state, and the state that
        // finishing them left.
        std::size_t AssumedFrom = kNone;
        bool AssumedAfterBlank = false;
        TParaState Left;
        std::vector<TKeptMessage> Messages;
        bool Big = false;
    };
    class TKeepingPlatform;

    TParallelLineStages(TLineReader& reader, TSjisBridge* decoderBridge, const TStrInfo& own,
                        std::vector<TStrInfo> settings, std::string_view standIn);
    std::string_view RawLine(const TBatch& batch, std::size_t k) const;
    // Stages line k of batch into line with the settings s, keeping its messages in messages and
    // replacing its control characters through standIn; about tells what it found. False for a
    // line too long to convert, which is not staged.
    bool StageOne(const TBatch& batch, std::size_t k, const TStrInfo& s, THtmlCnv& line,
                  TLine& about, std::vector<TKeptMessage>& messages, TKeepingPlatform& platform,
                  TControlCharacterStandIn& standIn) const;
    void StageHere(const TBatch& batch, THtmlCnv& line, TLine& about, TPlatform* platform);
    void Show(const TKeptMessage& message, TPlatform& platform);
    // Counts control characters replaced; under doneLock_.
    void AddControlCharacters(long long replaced, long long firstLine);
    void Stage(const TStrInfo& s);
    bool Read(TBatch& batch);
    void StageBatch(TBatch& batch, const TStrInfo& s, THtmlCnv& line, TKeepingPlatform& platform,
                    TControlCharacterStandIn& standIn);
    void Deliver(std::unique_ptr<TBatch> batch);
    void HandBack(std::unique_ptr<TBatch> batch);

    TLineReader& reader_;
    const TSjisBridge* const bridge_;
    const TStrInfo& own_;              // the calling thread's settings
    std::vector<TStrInfo> settings_;   // one copy for each stage thread
    std::atomic<bool> assume_ = true;  // the stage threads finish lines from an assumed state
    std::string standIn_;

    std::mutex readLock_;
    std::condition_variable readable_;  // the big batch held was handed back, or stopped
    bool ended_ = false;                // read to the end of the text (or a read error)
    bool bigHeld_ = false;
    std::string carried_;  // a long line read behind others, which the next batch holds alone
    std::uint64_t nextNumber_ = 0;
    long long nextLine_ = 1;

    TBoundedQueue<std::unique_ptr<TBatch>> free_;
    std::mutex doneLock_;
    std::condition_variable doneChanged_;
    std::map<std::uint64_t, std::unique_ptr<TBatch>> done_;
    std::size_t running_ = 0;  // the threads that have not ended
    bool stopped_ = false;
    std::exception_ptr failure_;
    long long controlCharacters_ = 0;
    long long firstControlLine_ = 0;

    // The calling thread's.
    std::unique_ptr<TBatch> current_;
    std::size_t next_ = 0;
    std::size_t nextMessage_ = 0;
    bool restage_ = false;      // the assumed state of the current batch did not hold
    std::uint64_t missed_ = 0;  // the batches whose assumed state did not hold
    std::uint64_t expected_ = 0;
    std::set<std::string> shown_;
    std::vector<std::thread> threads_;
};
