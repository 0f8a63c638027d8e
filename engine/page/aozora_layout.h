// The layout of an Aozora Bunko file around the work: its first line is the title, and a block
// between two lines of hyphens that begins 【テキスト中に現れる記号について】 explains the notation
// to readers of the plain text, which the page does not need.
#pragma once

#include <string>
#include <string_view>

// True for a line of ten or more "-" and nothing else but blanks.
bool IsHyphenRule(std::string_view raw);

// The title a file's first line gives: the line without its surrounding blanks.
std::string AozoraTitle(std::string_view firstLine);

// Passes the lines of a text on, leaving out its first explanation block (the two rules
// included). A line of hyphens is held until the next line shows whether the block begins
// there; Finish passes on a line still held.
class TAozoraExplanationFilter {
  public:
    template <typename Emit>
    void Line(std::string_view raw, Emit&& emit) {
        switch (state_) {
            case TState::Before:
                if (IsHyphenRule(raw)) {
                    held_.assign(raw);
                    state_ = TState::Held;
                } else {
                    emit(raw);
                }
                return;
            case TState::Held:
                if (BeginsExplanation(raw)) {
                    state_ = TState::Inside;
                    return;
                }
                emit(held_);
                if (IsHyphenRule(raw)) {
                    held_.assign(raw);
                    return;
                }
                state_ = TState::Before;
                emit(raw);
                return;
            case TState::Inside:
                if (IsHyphenRule(raw))
                    state_ = TState::After;
                return;
            case TState::After:
                emit(raw);
                return;
        }
    }

    template <typename Emit>
    void Finish(Emit&& emit) {
        if (state_ == TState::Held)
            emit(held_);
        state_ = TState::After;
    }

  private:
    static bool BeginsExplanation(std::string_view raw);

    enum class TState { Before, Held, Inside, After };
    TState state_ = TState::Before;
    std::string held_;
};
