// The platform's services for the engine and the settings layer: modal message boxes, file and
// colour dialogs, opening files, running commands, the busy cursor and repainting. Qt implements
// it in ui/, the command line and the tests have headless ones. All text is Shift_JIS; paths are
// native file-system paths.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/text/text_helpers.h"

// The four standard kinds; each gives its title: "確認", "情報", "警告", "エラー".
enum class TMessageKind { Confirmation, Information, Warning, Error };

// Buttons of a message box, captions "OK", "はい(&Y)", "いいえ(&N)", "キャンセル".
enum TMessageButton : unsigned { mbOK = 1, mbYes = 2, mbNo = 4, mbCancel = 8 };

struct TFileDialogRequest {
    std::string Filter;           // "htmlファイル(*.htm)|*.htm" form; empty lists all files
    std::string InitialFileName;  // native path, may be empty
    std::string DefaultExtension;
    std::string InitialFolder;
    bool AskBeforeOverwrite = false;
};

class TPlatform {
  public:
    virtual ~TPlatform() = default;

    // Shows a modal box and returns the button pressed (one of those offered).
    virtual TMessageButton ShowMessage(TMessageKind kind, std::string_view text,
                                       unsigned buttons) = 0;

    // Modal file dialogs: the chosen native path, or std::nullopt when cancelled.
    virtual std::optional<std::string> OpenFileDialog(const TFileDialogRequest& request) = 0;
    virtual std::optional<std::string> SaveFileDialog(const TFileDialogRequest& request) = 0;
    // Modal folder dialog with title (Shift_JIS) starting in initialFolder (native, may be
    // empty): the chosen folder, or std::nullopt when cancelled. A platform without dialogs
    // answers as if cancelled.
    virtual std::optional<std::string> FolderDialog(std::string_view /*title*/,
                                                    const std::string& /*initialFolder*/) {
        return std::nullopt;
    }
    // Modal colour dialog starting at initial: the chosen colour, or std::nullopt when cancelled.
    virtual std::optional<TColor> ColorDialog(TColor initial) = 0;

    // Opens a file or URL with its associated program; failures are not reported.
    virtual void OpenWithAssociatedProgram(const std::string& pathOrUrl) = 0;
    // Runs a command line (native text); failures are not reported.
    virtual void RunCommandLine(const std::string& commandLine) = 0;

    virtual void SetBusyCursor(bool busy) = 0;
    // Lets the window show what changed (progress) while a command runs.
    virtual void Repaint() = 0;
};

// A platform with nobody in front of it, for a conversion on a thread of its own: every dialog
// answers as cancelled and the rest does nothing; what becomes of a message is the subclass's.
class TUnattendedPlatform : public TPlatform {
  public:
    std::optional<std::string> OpenFileDialog(const TFileDialogRequest&) override {
        return std::nullopt;
    }
    std::optional<std::string> SaveFileDialog(const TFileDialogRequest&) override {
        return std::nullopt;
    }
    std::optional<TColor> ColorDialog(TColor) override { return std::nullopt; }
    void OpenWithAssociatedProgram(const std::string&) override {}
    void RunCommandLine(const std::string&) override {}
    void SetBusyCursor(bool) override {}
    void Repaint() override {}

  protected:
    // The answer to a question nobody is there to answer: its affirmative button ("はい", else
    // "OK", else the first offered).
    static TMessageButton Affirmative(unsigned buttons) {
        for (const TMessageButton b : {mbYes, mbOK, mbNo, mbCancel}) {
            if (buttons & b)
                return b;
        }
        return mbOK;
    }
};

// Shorthand for the common single-OK message.
inline void ShowOk(TPlatform& platform, TMessageKind kind, std::string_view text) {
    platform.ShowMessage(kind, text, mbOK);
}
