#include "cli/terminal_platform.h"

#include <string>

#include "engine/text/encoding.h"

namespace {

const char* KindTitle(TMessageKind kind) {
    switch (kind) {
        case TMessageKind::Confirmation:
            return "確認";
        case TMessageKind::Information:
            return "情報";
        case TMessageKind::Warning:
            return "警告";
        case TMessageKind::Error:
            return "エラー";
    }
    return "";
}

// A message box's text on a terminal: CR LF becomes a newline.
std::string ForTerminal(std::string_view sjis) {
    std::string text = SjisToUtf8(sjis);
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        out.push_back(text[i]);
    }
    return out;
}

}  // namespace

TTerminalPlatform::TTerminalPlatform(std::ostream& err, const TForm& form, bool showProgress)
    : err_(err), form_(form), showProgress_(showProgress) {}

TMessageButton TTerminalPlatform::ShowMessage(TMessageKind kind, std::string_view text,
                                              unsigned buttons) {
    EndProgress();
    if (kind == TMessageKind::Warning || kind == TMessageKind::Error)
        ++failures_;
    err_ << "porukano-cli: " << KindTitle(kind) << ": " << ForTerminal(text) << '\n';
    // Nobody answers on a terminal: a question gets its affirmative button.
    for (const TMessageButton b : {mbYes, mbOK, mbNo, mbCancel}) {
        if (buttons & b)
            return b;
    }
    return mbOK;
}

std::optional<std::string> TTerminalPlatform::OpenFileDialog(const TFileDialogRequest&) {
    return std::nullopt;
}

std::optional<std::string> TTerminalPlatform::SaveFileDialog(const TFileDialogRequest&) {
    return std::nullopt;
}

std::optional<TColor> TTerminalPlatform::ColorDialog(TColor) {
    return std::nullopt;
}

void TTerminalPlatform::Repaint() {
    if (!showProgress_)
        return;
    constexpr int kWidth = 40;
    const int percent = form_.Position("pbrProcess");
    const int filled = percent * kWidth / 100;
    err_ << '\r' << '[' << std::string(filled, '#') << std::string(kWidth - filled, ' ') << "] "
         << percent << '%' << std::flush;
    barDrawn_ = true;
}

void TTerminalPlatform::EndProgress() {
    if (!barDrawn_)
        return;
    err_ << '\n';
    barDrawn_ = false;
}
