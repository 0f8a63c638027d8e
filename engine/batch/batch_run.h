// A batch conversion: the files of a list converted by several jobs at once, each job on a
// thread of its own with its own copy of the main window's settings and its own platform. The
// results come back in the list's order, whatever order the jobs finish in, so that what the
// run shows is the same for any number of jobs.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "engine/base/engine_env.h"
#include "engine/base/headless_form.h"
#include "engine/batch/batch_platform.h"
#include "engine/batch/text_tree.h"
#include "engine/regex/regex_library.h"

enum class TBatchOutcome { Converted, Failed, Cancelled };

struct TBatchResult {
    TBatchOutcome Outcome = TBatchOutcome::Failed;
    std::vector<TBatchMessage> Messages;  // the file's own, in their order
};

struct TBatchProgress {
    std::size_t FilesDone = 0;
    std::size_t Files = 0;
    std::uintmax_t BytesDone = 0;
    std::uintmax_t Bytes = 0;
};

struct TBatchCounts {
    int Converted = 0;
    int Failed = 0;
    int Cancelled = 0;
};

// The number of jobs when none is asked for: the cores the process may use, at least 1.
int DefaultJobCount();

// What one job converts with: a headless copy of the main window's settings (read when it is
// made, on the window's thread), a platform that keeps the messages, and its own program-wide
// values. Every percent of a conversion repaints, so that a cancel is seen within a percent of
// its lines.
struct TBatchJob {
    TBatchJob(const TForm& window, const TProgramState& state, const std::atomic<bool>& cancelled);

    std::unique_ptr<THeadlessForm> Form;
    TBatchPlatform Platform;
    TProgramState State;
    TEngineEnv Env;
};

// Converts one file of a batch with job: its page's folder is made when missing, a separate
// stylesheet goes beside the page, and a refused file fails with its refusal. A conversion the
// cancel stops removes its page, which it had begun afresh, rather than leave a page that looks
// whole and is not. The result carries the file's messages.
TBatchResult ConvertInJob(TBatchJob& job, const TBatchFile& file);

class TBatchRun {
  public:
    // Starts max(1, jobs) jobs (no more than there are files) converting files with the
    // settings the main window shows (read here, on the calling thread) and state's
    // program-wide values. Each page's folder is made when missing; a separate stylesheet goes
    // beside each page.
    TBatchRun(std::vector<TBatchFile> files, const TForm& window, const TProgramState& state,
              int jobs);
    // Cancels what is left and waits for the jobs.
    ~TBatchRun();
    TBatchRun(const TBatchRun&) = delete;
    TBatchRun& operator=(const TBatchRun&) = delete;

    // No file starts after this; a conversion under way stops at its next percent of lines
    // and its page, cut short, is removed. Such files come back as cancelled.
    void Cancel();

    // Hands every finished file whose predecessors in the list were handed on to done, in the
    // list's order, on the calling thread; waits up to wait for the next one. False once every
    // file has been handed on.
    bool Deliver(const std::function<void(const TBatchFile&, const TBatchResult&)>& done,
                 std::chrono::milliseconds wait);

    // Files and bytes done so far (finished by any job, handed on or not) and in all.
    TBatchProgress Progress() const;
    // The outcomes of the files handed on so far.
    const TBatchCounts& Counts() const { return counts_; }

  private:
    void Work(TBatchJob& job);

    std::vector<TBatchFile> files_;
    std::uintmax_t bytes_ = 0;
    // Held for the whole run, so that the library is not loaded and unloaded for every file.
    TRegexLibrary regexLibrary_;
    std::vector<std::unique_ptr<TBatchJob>> jobs_;
    std::vector<std::thread> threads_;
    std::atomic<bool> cancelled_{false};
    std::atomic<std::size_t> next_{0};
    std::atomic<std::size_t> filesDone_{0};
    std::atomic<std::uintmax_t> bytesDone_{0};
    std::mutex mutex_;
    std::condition_variable finished_;
    std::vector<std::optional<TBatchResult>> results_;  // under mutex_
    std::size_t delivered_ = 0;
    TBatchCounts counts_;
};
