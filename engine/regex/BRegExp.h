// The adapter over the regular-expression engine loaded at run time: one compiled expression,
// searched in Shift_JIS text with a time limit.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "engine/regex/regex_library.h"

struct re_pattern_buffer;
struct re_registers;
struct OnigMatchParamStruct;
struct OnigCalloutArgsStruct;

// How long the searches of one keyword may take on one line (ApplyRegexRule), and one search
// started without a deadline.
inline constexpr std::chrono::milliseconds kRegexTimeLimit{1000};

// One compiled regular expression. The pattern text has one of the forms of ParsePatternForm
// and is Shift_JIS, as is every target. The compiled expression is kept and reused by Match as
// long as it is given the same pattern text. A search that backtracks too long (the engine's
// retry limits) or runs out of time (the check points of regex_guard.h) ends as no match, so no
// pattern can hold up a line for long.
class TBRegExp {
  public:
    // Loads the engine; LibraryLoaded() tells whether that worked.
    TBRegExp();
    virtual ~TBRegExp();
    TBRegExp(const TBRegExp&) = delete;
    TBRegExp& operator=(const TBRegExp&) = delete;

    bool LibraryLoaded() const { return library_.Get() != nullptr; }

    // Compiles pattern, replacing what was compiled before. False, with ErrorMessage() set, when
    // the pattern form or the expression is invalid (or the engine is missing).
    bool Compile(std::string_view pattern);

    // Searches target from byte offset (0-based) on for the first match of pattern, compiling
    // it first unless it is the pattern compiled last. No match when offset is past the end.
    // The search sees target from offset on as the whole text ("^" matches at offset). A search
    // still running at the deadline (or kRegexTimeLimit after it began, without one) or past a
    // retry limit is ended as no match, and Stopped() tells so.
    bool Match(std::string_view pattern, std::string_view target, int offset);

    // Every Match until ClearDeadline must end by deadline; one that starts later does not
    // search at all.
    void SetDeadline(std::chrono::steady_clock::time_point deadline);
    void ClearDeadline();

    // The time by which the last Match that searched had to end.
    std::chrono::steady_clock::time_point SearchDeadline() const { return searchDeadline_; }

    // True when the last Match was ended before it could finish.
    bool Stopped() const { return stopped_; }
    // True the first time it is asked after a stopped Match, so that it is reported once.
    bool TakeFirstStop();

    // The expression the engine compiled for the pattern: with the check points of
    // regex_guard.h where they could be added.
    const std::string& CompiledExpression() const { return compiledExpression_; }

    // The last match's 1-based byte position in the whole target and its length in bytes; -1 and
    // 0 when the last Match found nothing.
    int MatchPos() const;
    int MatchLength() const;

    // The last message of the engine or of the pattern reader: why a pattern did not compile, or
    // why a search was stopped.
    const std::string& ErrorMessage() const { return errorMessage_; }

    // How many times this object compiled a pattern.
    int CompileCount() const { return compileCount_; }

  private:
    void FreeCompiled();
    // The engine's callout at every check point: ends the search once the deadline is past.
    static int OnCheckPoint(OnigCalloutArgsStruct* args, void* self);

    bool matched_ = false;
    bool stopped_ = false;
    bool stopReported_ = false;
    bool hasDeadline_ = false;
    std::chrono::steady_clock::time_point deadline_{};
    std::chrono::steady_clock::time_point searchDeadline_{};
    unsigned checkStride_ = 1;  // check points between two looks at the clock
    unsigned checkPoints_ = 0;
    int matchStart_ = 0;  // 0-based in the whole target
    int matchEnd_ = 0;
    re_pattern_buffer* compiled_ = nullptr;
    std::string compiledPattern_;
    std::string compiledExpression_;
    re_registers* region_ = nullptr;
    OnigMatchParamStruct* matchParam_ = nullptr;
    TRegexLibrary library_;
    std::string errorMessage_;
    int compileCount_ = 0;
};
