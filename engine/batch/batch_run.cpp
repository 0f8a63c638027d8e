#include "engine/batch/batch_run.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "engine/base/file_paths.h"
#include "engine/base/main_window_controls.h"
#include "engine/base/usable_cores.h"
#include "engine/page/converter.h"

namespace {

// A headless copy of every setting the main window shows, for a job that may not touch the
// window from its thread. Change behaviours are not copied: they belong to the window.
std::unique_ptr<THeadlessForm> CopyOfMainWindow(const TForm& window) {
    std::unique_ptr<THeadlessForm> copy = MakeHeadlessMainWindow();
    for (const std::string& name : copy->ControlNames()) {
        if (!window.HasControl(name))
            continue;
        copy->SetText(name, window.Text(name));
        copy->SetChecked(name, window.Checked(name));
        copy->SetItemIndex(name, window.ItemIndex(name));
        copy->SetPosition(name, window.Position(name));
        copy->SetFontColor(name, window.FontColor(name));
        copy->SetColor(name, window.Color(name));
        copy->SetEnabled(name, window.Enabled(name));
        copy->SetVisible(name, window.Visible(name));
    }
    return copy;
}

}  // namespace

int DefaultJobCount() {
    return static_cast<int>(UsableCores());
}

TBatchJob::TBatchJob(const TForm& window, const TProgramState& state,
                     const std::atomic<bool>& cancelled)
    : Form(CopyOfMainWindow(window)),
      Platform(cancelled),
      State(state),
      Env{*Form, Platform, State, std::chrono::milliseconds(0)} {}

TBatchResult ConvertInJob(TBatchJob& job, const TBatchFile& file) {
    TBatchResult result;
    if (!file.Refusal.empty()) {
        result.Messages.push_back({TMessageKind::Error, file.Refusal});
        return result;
    }
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(file.Page).parent_path(), ec);
    // The stylesheet's place follows the input-path field, as porukano-cli sets it for one file.
    job.Form->SetText("lblInputFilePath", PathForMessage(file.Page));
    bool usesLocalImages = false;
    try {
        result.Outcome = ConvertTextFile(job.Env, file.Text, file.Page, usesLocalImages)
                             ? TBatchOutcome::Converted
                             : TBatchOutcome::Failed;
    } catch (const TBatchCancelled&) {
        std::filesystem::remove(file.Page, ec);
        result.Outcome = TBatchOutcome::Cancelled;
    } catch (const std::exception& e) {
        job.Platform.ShowMessage(TMessageKind::Error, e.what(), mbOK);
    }
    result.Messages = job.Platform.TakeMessages();
    return result;
}

TBatchRun::TBatchRun(std::vector<TBatchFile> files, const TForm& window, const TProgramState& state,
                     int jobs)
    : files_(std::move(files)), results_(files_.size()) {
    for (const TBatchFile& file : files_)
        bytes_ += file.Bytes;
    const std::size_t count = std::min<std::size_t>(std::max(jobs, 1), files_.size());
    for (std::size_t i = 0; i < count; ++i) {
        jobs_.push_back(std::make_unique<TBatchJob>(window, state, cancelled_));
        // Jobs side by side keep the cores busy already; more threads in each would only
        // contend for them.
        if (count > 1)
            jobs_.back()->Env.LineStageThreads = 1;
    }
    for (const std::unique_ptr<TBatchJob>& job : jobs_)
        threads_.emplace_back([this, &job = *job] { Work(job); });
}

TBatchRun::~TBatchRun() {
    Cancel();
    for (std::thread& thread : threads_)
        thread.join();
}

void TBatchRun::Cancel() {
    cancelled_ = true;
}

void TBatchRun::Work(TBatchJob& job) {
    for (std::size_t i = next_++; i < files_.size(); i = next_++) {
        TBatchResult result;
        if (cancelled_)
            result.Outcome = TBatchOutcome::Cancelled;
        else
            result = ConvertInJob(job, files_[i]);
        filesDone_ += 1;
        bytesDone_ += files_[i].Bytes;
        {
            const std::lock_guard<std::mutex> hold(mutex_);
            results_[i] = std::move(result);
        }
        finished_.notify_all();
    }
}

bool TBatchRun::Deliver(const std::function<void(const TBatchFile&, const TBatchResult&)>& done,
                        std::chrono::milliseconds wait) {
    std::unique_lock<std::mutex> lock(mutex_);
    const auto nextReady = [this] {
        return delivered_ >= files_.size() || results_[delivered_].has_value();
    };
    finished_.wait_for(lock, wait, nextReady);
    while (delivered_ < files_.size() && results_[delivered_]) {
        const std::size_t i = delivered_++;
        const TBatchResult result = *std::move(results_[i]);
        results_[i].reset();
        lock.unlock();
        switch (result.Outcome) {
            case TBatchOutcome::Converted:
                ++counts_.Converted;
                break;
            case TBatchOutcome::Failed:
                ++counts_.Failed;
                break;
            case TBatchOutcome::Cancelled:
                ++counts_.Cancelled;
                break;
        }
        done(files_[i], result);
        lock.lock();
    }
    return delivered_ < files_.size();
}

TBatchProgress TBatchRun::Progress() const {
    return {filesDone_.load(), files_.size(), bytesDone_.load(), bytes_};
}
