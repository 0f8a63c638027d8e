#include "engine/page/parallel_line_stages.h"

#include <algorithm>
#include <utility>

#include "engine/encodings/line_reader.h"
#include "engine/encodings/sjis_bridge.h"
#include "engine/line/line_assembly.h"
#include "engine/line/regex_emphasis.h"
#include "engine/text/escaper.h"

namespace {

// Batches for each thread: one it stages, one finished ahead of the calling thread's.
constexpr std::size_t kBatchesPerThread = 2;
// More stage threads than this would wait for the calling thread, which writes every line.
constexpr unsigned kMostThreads = 4;

// The state the paragraphs are almost always in after a line: after a blank line no paragraph is
// open, after any other one is, and no other element is.
void SetUsualStateAfter(bool blank, TParaState& state) {
    state.ParagraphOpen = blank ? 0 : 1;
    state.PreviousLineHadText = !blank;
    state.Nesting.SetPlain(!blank);
}

bool IsUsualStateAfter(bool blank, const TParaState& state) {
    return state.ParagraphOpen == (blank ? 0 : 1) && state.PreviousLineHadText == !blank &&
           state.Nesting.IsPlain() && state.Nesting.ParagraphWritten() == !blank;
}

}  // namespace

// The platform of a stage thread: a message goes with its line into the batch being staged.
class TParallelLineStages::TKeepingPlatform : public TUnattendedPlatform {
  public:
    void KeepIn(std::vector<TKeptMessage>& messages, std::size_t line) {
        messages_ = &messages;
        line_ = line;
    }
    TMessageButton ShowMessage(TMessageKind kind, std::string_view text,
                               unsigned buttons) override {
        if (messages_)
            messages_->push_back({line_, kind, std::string(text)});
        return Affirmative(buttons);
    }

  private:
    std::vector<TKeptMessage>* messages_ = nullptr;
    std::size_t line_ = 0;
};

std::unique_ptr<TParallelLineStages> TParallelLineStages::Start(TLineReader& reader,
                                                                TSjisBridge* decoderBridge,
                                                                const TStrInfo& s, unsigned threads,
                                                                std::string_view standIn) {
    // Each thread searches with regular expressions of its own: a compiled expression keeps the
    // state of its last search. The messages of compiling them again were shown the first time.
    std::vector<TStrInfo> settings(std::clamp(threads, 1u, kMostThreads), s);
    for (TStrInfo& copy : settings) {
        TKeepingPlatform unshown;
        if (!PrepareRegexRules(copy.Strong, unshown))
            return nullptr;
    }
    return std::unique_ptr<TParallelLineStages>(
        new TParallelLineStages(reader, decoderBridge, s, std::move(settings), standIn));
}

TParallelLineStages::TParallelLineStages(TLineReader& reader, TSjisBridge* decoderBridge,
                                         const TStrInfo& own, std::vector<TStrInfo> settings,
                                         std::string_view standIn)
    : reader_(reader),
      bridge_(decoderBridge),
      own_(own),
      settings_(std::move(settings)),
      standIn_(standIn),
      free_(kBatchesPerThread * settings_.size() + 1) {
    for (std::size_t k = 0; k < kBatchesPerThread * settings_.size() + 1; ++k) {
        auto batch = std::make_unique<TBatch>();
        free_.Push(batch);
    }
    if (decoderBridge)
        decoderBridge->ShareWithReaderThread();
    running_ = settings_.size();
    for (const TStrInfo& s : settings_)
        threads_.emplace_back([this, &s] { Stage(s); });
}

TParallelLineStages::~TParallelLineStages() {
    Stop();
    for (TStrInfo& s : settings_)
        ReleaseRegexRules(s.Strong);
}

// Reads and stages batches until the text ends or the staging is stopped. An exception (out of
// memory) ends this thread as the end of the text does, and is thrown on the calling thread.
void TParallelLineStages::Stage(const TStrInfo& s) {
    long long replaced = 0;
    long long firstLine = 0;
    try {
        TControlCharacterStandIn standIn(standIn_);
        TKeepingPlatform platform;
        THtmlCnv line{std::string_view()};
        std::unique_ptr<TBatch> batch;
        while (free_.Pop(batch) && Read(*batch)) {
            StageBatch(*batch, s, line, platform, standIn);
            Deliver(std::move(batch));
        }
        replaced = standIn.Replaced();
        firstLine = standIn.FirstLine();
    } catch (...) {
        {
            std::lock_guard lock(doneLock_);
            if (!failure_)
                failure_ = std::current_exception();
        }
        // The batch this thread held never comes: the others end too, rather than wait for
        // room the calling thread, waiting for that batch, would never make.
        {
            std::lock_guard lock(readLock_);
            ended_ = true;
            readable_.notify_all();
        }
        free_.Cancel();
    }
    std::lock_guard lock(doneLock_);
    AddControlCharacters(replaced, firstLine);
    --running_;
    doneChanged_.notify_all();
}

// Fills batch with the next lines of the text; false when there are none left (or the staging
// is stopped).
bool TParallelLineStages::Read(TBatch& batch) {
    std::unique_lock lock(readLock_);
    readable_.wait(lock, [this] { return !bigHeld_ || ended_; });
    // The room a line longer than kBigBatch needed is not kept for the lines after it.
    if (batch.Text.capacity() > kBigBatch)
        batch = {};
    batch.Text.clear();
    batch.Ends.clear();
    if (!carried_.empty()) {
        batch.Text.swap(carried_);
        batch.Ends.push_back(batch.Text.size());
    } else if (ended_) {
        return false;
    }
    bool more = true;
    while (batch.Text.size() < kBatchBytes) {
        const std::size_t start = batch.Text.size();
        if (!(more = reader_.Append(batch.Text)))
            break;
        // A long line goes into a batch of its own, the next one.
        if (batch.Text.size() - start > kBigBatch && !batch.Ends.empty()) {
            carried_.assign(batch.Text, start);
            batch.Text.resize(start);
            break;
        }
        batch.Ends.push_back(batch.Text.size());
    }
    ended_ = ended_ || !more;
    if (batch.Ends.empty())
        return false;
    batch.Number = nextNumber_++;
    batch.FirstLine = nextLine_;
    nextLine_ += static_cast<long long>(batch.Ends.size());
    batch.Big = batch.Ends.size() == 1 && batch.Text.size() > kBigBatch;
    bigHeld_ = batch.Big;
    return true;
}

std::string_view TParallelLineStages::RawLine(const TBatch& batch, std::size_t k) const {
    const std::size_t start = k == 0 ? 0 : batch.Ends[k - 1];
    return std::string_view(batch.Text).substr(start, batch.Ends[k] - start);
}

bool TParallelLineStages::StageOne(const TBatch& batch, std::size_t k, const TStrInfo& s,
                                   THtmlCnv& line, TLine& about,
                                   std::vector<TKeptMessage>& messages, TKeepingPlatform& platform,
                                   TControlCharacterStandIn& standIn) const {
    const std::string_view raw = RawLine(batch, k);
    about.TooLong = !FitsLinePositions(raw, s.TabWidth);
    if (about.TooLong)
        return false;
    standIn.AtLine(batch.FirstLine + static_cast<long long>(k));
    platform.KeepIn(messages, k);
    line.P_Renew(raw);
    about.Blank = IsBlankLine(raw);
    about.ToFinish = StageLine(line, s, platform, bridge_);
    return true;
}

// Stages the batch's lines into line, one after the other. The first line to be finished stays
// staged; from it, the state after it is assumed, and the lines after it are finished from that
// state.
void TParallelLineStages::StageBatch(TBatch& batch, const TStrInfo& s, THtmlCnv& line,
                                     TKeepingPlatform& platform,
                                     TControlCharacterStandIn& standIn) {
    batch.About.clear();
    batch.Staged.Clear();
    batch.ReadyText.clear();
    batch.ReadyEnds.clear();
    batch.Messages.clear();
    batch.AssumedFrom = kNone;
    const bool assume = assume_.load(std::memory_order_relaxed);
    TParaState& state = batch.Left;
    for (std::size_t k = 0; k < batch.Ends.size(); ++k) {
        TLine& about = batch.About.emplace_back();
        // A long line, alone in its batch, is staged where it is written: its copies here
        // would be more than all the other lines' together. A line too long to convert ends
        // the conversion there.
        about.StageHere = batch.Big;
        if (about.StageHere ||
            !StageOne(batch, k, s, line, about, batch.Messages, platform, standIn))
            break;
        if (about.ToFinish && batch.AssumedFrom == kNone) {
            about.Index = static_cast<std::uint32_t>(batch.Staged.Size());
            batch.Staged.Append(line);
            if (assume) {
                batch.AssumedFrom = k + 1;
                batch.AssumedAfterBlank = about.Blank;
                SetUsualStateAfter(about.Blank, state);
            }
            continue;
        }
        if (about.ToFinish) {
            FinishLine(line, about.Blank, s, state);
            about.Assumed = true;
        }
        about.Ready = true;
        about.Index = static_cast<std::uint32_t>(batch.ReadyEnds.size());
        batch.ReadyText += line.F_strGetIncTag();
        batch.ReadyEnds.push_back(batch.ReadyText.size());
    }
}

void TParallelLineStages::Deliver(std::unique_ptr<TBatch> batch) {
    std::lock_guard lock(doneLock_);
    if (stopped_)
        return;
    const std::uint64_t number = batch->Number;
    done_.emplace(number, std::move(batch));
    doneChanged_.notify_all();
}

// Hands a batch the calling thread is done with back to be filled again; the queue has room for
// every batch there is, so this never waits.
void TParallelLineStages::HandBack(std::unique_ptr<TBatch> batch) {
    if (batch->Big) {
        *batch = {};
        std::lock_guard lock(readLock_);
        bigHeld_ = false;
        readable_.notify_all();
    }
    free_.Push(batch);
}

void TParallelLineStages::Show(const TKeptMessage& message, TPlatform& platform) {
    if (shown_.insert(message.Text).second)
        ShowOk(platform, message.Kind, message.Text);
}

// Stages the current line on this thread. Its messages are shown on platform and its control
// characters counted, unless platform is null: a line staged again, which a stage thread did both
// for already.
void TParallelLineStages::StageHere(const TBatch& batch, THtmlCnv& line, TLine& about,
                                    TPlatform* platform) {
    TControlCharacterStandIn standIn(standIn_);
    std::vector<TKeptMessage> messages;
    TKeepingPlatform keeping;
    if (!StageOne(batch, next_, own_, line, about, messages, keeping, standIn))
        return;
    about.Ready = false;
    if (!platform)
        return;
    for (const TKeptMessage& message : messages)
        Show(message, *platform);
    std::lock_guard lock(doneLock_);
    AddControlCharacters(standIn.Replaced(), standIn.FirstLine());
}

void TParallelLineStages::AddControlCharacters(long long replaced, long long firstLine) {
    controlCharacters_ += replaced;
    if (firstLine != 0 && (firstControlLine_ == 0 || firstLine < firstControlLine_))
        firstControlLine_ = firstLine;
}

bool TParallelLineStages::Next(THtmlCnv& line, TLine& about, std::string_view& ready,
                               TParaState& state, TPlatform& platform) {
    while (!current_ || next_ == current_->About.size()) {
        if (current_)
            HandBack(std::move(current_));
        std::unique_lock lock(doneLock_);
        doneChanged_.wait(lock, [this] { return done_.contains(expected_) || running_ == 0; });
        const auto found = done_.find(expected_);
        if (found == done_.end()) {
            lock.unlock();
            Stop();
            if (failure_)
                std::rethrow_exception(std::exchange(failure_, nullptr));
            return false;
        }
        current_ = std::move(found->second);
        done_.erase(found);
        ++expected_;
        next_ = 0;
        nextMessage_ = 0;
        restage_ = false;
    }
    TBatch& batch = *current_;
    if (next_ == batch.AssumedFrom) {
        if (IsUsualStateAfter(batch.AssumedAfterBlank, state)) {
            state.ParagraphOpen = batch.Left.ParagraphOpen;
            state.PreviousLineHadText = batch.Left.PreviousLineHadText;
            state.Nesting = batch.Left.Nesting;
        } else {
            // Not the usual state (a rule line ended the paragraph around it, and the next text
            // begins another): the rest of the batch is finished here. Where that happens to
            // more than a few batches, one in eight, the threads assume nothing from then on.
            restage_ = true;
            ++missed_;
            if (missed_ > 2 && missed_ * 8 > expected_)
                assume_.store(false, std::memory_order_relaxed);
        }
    }
    const std::vector<TKeptMessage>& messages = batch.Messages;
    for (; nextMessage_ < messages.size() && messages[nextMessage_].Line == next_; ++nextMessage_)
        Show(messages[nextMessage_], platform);
    about = batch.About[next_];
    if (about.StageHere) {
        StageHere(batch, line, about, &platform);
    } else if (about.Assumed && restage_) {
        StageHere(batch, line, about, nullptr);
    } else if (about.Ready) {
        const std::size_t start = about.Index == 0 ? 0 : batch.ReadyEnds[about.Index - 1];
        ready =
            std::string_view(batch.ReadyText).substr(start, batch.ReadyEnds[about.Index] - start);
    } else if (!about.TooLong) {
        batch.Staged.LoadInto(about.Index, line);
    }
    ++next_;
    return true;
}

void TParallelLineStages::Stop() {
    {
        std::lock_guard lock(readLock_);
        ended_ = true;
        carried_.clear();
        readable_.notify_all();
    }
    {
        std::lock_guard lock(doneLock_);
        stopped_ = true;
        done_.clear();
    }
    free_.Cancel();
    for (std::thread& thread : threads_) {
        if (thread.joinable())
            thread.join();
    }
    current_.reset();
}
