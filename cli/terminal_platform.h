// The platform of the command-line converter: messages go to a stream in UTF-8 with their kind
// in front, questions take the answer given on the command line, and the progress of a file
// conversion is drawn as a bar when the stream is a terminal.
#pragma once

#include <ostream>

#include "engine/base/form.h"
#include "engine/base/platform.h"

class TTerminalPlatform : public TPlatform {
  public:
    // form is the window whose progress bar Repaint draws; showProgress enables the bar.
    TTerminalPlatform(std::ostream& err, const TForm& form, bool showProgress);

    TMessageButton ShowMessage(TMessageKind kind, std::string_view text, unsigned buttons) override;
    std::optional<std::string> OpenFileDialog(const TFileDialogRequest&) override;
    std::optional<std::string> SaveFileDialog(const TFileDialogRequest&) override;
    std::optional<TColor> ColorDialog(TColor) override;
    void OpenWithAssociatedProgram(const std::string&) override {}
    void RunCommandLine(const std::string&) override {}
    void SetBusyCursor(bool) override {}
    void Repaint() override;

    // Number of warnings and errors shown so far.
    int FailureCount() const { return failures_; }
    // Ends a progress bar line, if one is drawn.
    void EndProgress();
    // Draws the bar at percent with after following it on the same line (when enabled).
    void DrawProgress(int percent, std::string_view after);

  private:
    std::ostream& err_;
    const TForm& form_;
    bool showProgress_;
    bool barDrawn_ = false;
    int failures_ = 0;
};

// Ctrl+C (SIGINT) and SIGTERM while it lives: instead of ending the program at once, they are
// noted, so that a watch ends between conversions and every temporary file is removed on the way
// out; a second Ctrl+C ends the program as usual. The previous handlers come back when it goes. One
// at a time.
class TInterruptSignals {
  public:
    TInterruptSignals();
    ~TInterruptSignals();
    TInterruptSignals(const TInterruptSignals&) = delete;
    TInterruptSignals& operator=(const TInterruptSignals&) = delete;

    bool Interrupted() const;
    // A descriptor that becomes readable once interrupted, for a poll() loop; -1 when no pipe
    // could be made (then Interrupted() still tells).
    int ReadableWhenInterrupted() const;
};
