#include "tests/support/scripted_platform.h"

#include "engine/text/encoding.h"

namespace {

// The next answer of a script, or std::nullopt (cancelled) when it has none left.
template <typename T>
std::optional<T> NextAnswer(std::deque<std::optional<T>>& answers) {
    if (answers.empty())
        return std::nullopt;
    std::optional<T> answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

}  // namespace

TMessageButton TScriptedPlatform::ShowMessage(TMessageKind kind, std::string_view text,
                                              unsigned buttons) {
    Messages.push_back({kind, std::string(text), buttons});
    if (!Answers.empty()) {
        const TMessageButton answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    for (const TMessageButton b : {mbOK, mbYes, mbNo, mbCancel}) {
        if (buttons & b)
            return b;
    }
    return mbOK;
}

std::optional<std::string> TScriptedPlatform::OpenFileDialog(const TFileDialogRequest& request) {
    FileDialogs.push_back(request);
    return NextAnswer(FileDialogAnswers);
}

std::optional<std::string> TScriptedPlatform::SaveFileDialog(const TFileDialogRequest& request) {
    return OpenFileDialog(request);
}

std::optional<std::string> TScriptedPlatform::FolderDialog(std::string_view,
                                                           const std::string& initialFolder) {
    FolderDialogs.push_back(initialFolder);
    return NextAnswer(FileDialogAnswers);
}

std::optional<TColor> TScriptedPlatform::ColorDialog(TColor) {
    return NextAnswer(ColorAnswers);
}

void TScriptedPlatform::OpenWithAssociatedProgram(const std::string& pathOrUrl) {
    Opened.push_back(pathOrUrl);
}

void TScriptedPlatform::RunCommandLine(const std::string& commandLine) {
    CommandLines.push_back(commandLine);
}

void TScriptedPlatform::SetBusyCursor(bool busy) {
    BusyCursor.push_back(busy);
}

std::vector<std::string> TScriptedPlatform::MessageTexts() const {
    std::vector<std::string> texts;
    for (const TRecordedMessage& m : Messages)
        texts.push_back(SjisToUtf8(m.Text));
    return texts;
}
