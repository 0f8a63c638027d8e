#include "cli/terminal_platform.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
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

// The state a signal handler may touch: a flag, and the write end of a pipe whose read end a
// poll() loop waits on (the self-pipe, since a handler can do no more than write(2)).
volatile std::sig_atomic_t interrupted = 0;
volatile std::sig_atomic_t terminated = 0;
int interruptPipe[2] = {-1, -1};
struct sigaction previousInt, previousTerm;

extern "C" void NoteInterrupt(int sig) {
    interrupted = 1;
    if (sig == SIGTERM)
        terminated = 1;
    if (interruptPipe[1] >= 0) {
        const int saved = errno;
        [[maybe_unused]] const ssize_t n = write(interruptPipe[1], "x", 1);
        errno = saved;
    }
}

}  // namespace

TInterruptSignals::TInterruptSignals() {
    interrupted = 0;
    terminated = 0;
    if (pipe(interruptPipe) == 0) {
        for (const int fd : interruptPipe) {
            fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
            fcntl(fd, F_SETFD, FD_CLOEXEC);
        }
    } else {
        interruptPipe[0] = interruptPipe[1] = -1;
    }
    struct sigaction action = {};
    action.sa_handler = NoteInterrupt;
    sigemptyset(&action.sa_mask);
    // SIGTERM may come twice for one request (timeout(1) signals the child, then its group).
    sigaction(SIGTERM, &action, &previousTerm);
    // A second Ctrl+C ends the program at once, for a conversion that takes too long to wait for.
    action.sa_flags = SA_RESETHAND;
    sigaction(SIGINT, &action, &previousInt);
}

TInterruptSignals::~TInterruptSignals() {
    sigaction(SIGINT, &previousInt, nullptr);
    // The second SIGTERM of one request may come after the run has already ended for the first:
    // it would kill the program on its way out, with a failure status, so it is ignored.
    if (terminated) {
        struct sigaction ignore = {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        sigaction(SIGTERM, &ignore, nullptr);
    } else {
        sigaction(SIGTERM, &previousTerm, nullptr);
    }
    for (int& fd : interruptPipe) {
        if (fd >= 0)
            close(fd);
        fd = -1;
    }
}

bool TInterruptSignals::Interrupted() const {
    return interrupted != 0;
}

int TInterruptSignals::ReadableWhenInterrupted() const {
    return interruptPipe[0];
}

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
    DrawProgress(form_.Position("pbrProcess"), {});
}

void TTerminalPlatform::DrawProgress(int percent, std::string_view after) {
    if (!showProgress_)
        return;
    constexpr int kWidth = 40;
    const int filled = percent * kWidth / 100;
    err_ << '\r' << '[' << std::string(filled, '#') << std::string(kWidth - filled, ' ') << "] "
         << percent << '%' << after << std::flush;
    barDrawn_ = true;
}

void TTerminalPlatform::EndProgress() {
    if (!barDrawn_)
        return;
    err_ << '\n';
    barDrawn_ = false;
}
