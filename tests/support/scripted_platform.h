// A platform for tests: records every message, answers questions and dialogs from a script.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/base/platform.h"

struct TRecordedMessage {
    TMessageKind Kind;
    std::string Text;  // Shift_JIS
    unsigned Buttons;
};

class TScriptedPlatform : public TPlatform {
  public:
    TMessageButton ShowMessage(TMessageKind kind, std::string_view text, unsigned buttons) override;
    std::optional<std::string> OpenFileDialog(const TFileDialogRequest& request) override;
    std::optional<std::string> SaveFileDialog(const TFileDialogRequest& request) override;
    // Takes its answer from FileDialogAnswers too; the initial folder goes to FolderDialogs.
    std::optional<std::string> FolderDialog(std::string_view title,
                                            const std::string& initialFolder) override;
    std::optional<TColor> ColorDialog(TColor initial) override;
    void OpenWithAssociatedProgram(const std::string& pathOrUrl) override;
    void RunCommandLine(const std::string& commandLine) override;
    void SetBusyCursor(bool busy) override;
    void Repaint() override {
        ++Repaints;
        if (OnRepaint)
            OnRepaint();
    }

    // Answers for the next questions, in order; without one the first offered button is taken.
    std::deque<TMessageButton> Answers;
    std::deque<std::optional<std::string>> FileDialogAnswers;
    std::deque<std::optional<TColor>> ColorAnswers;

    std::vector<TRecordedMessage> Messages;
    // The texts of Messages as UTF-8.
    std::vector<std::string> MessageTexts() const;
    std::vector<TFileDialogRequest> FileDialogs;
    std::vector<std::string> FolderDialogs;
    std::vector<std::string> Opened;
    std::vector<std::string> CommandLines;
    std::vector<bool> BusyCursor;
    int Repaints = 0;
    std::function<void()> OnRepaint;
};
