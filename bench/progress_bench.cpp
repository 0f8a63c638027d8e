// porukano-progress-bench: what the desktop program's progress display costs in a conversion.
//
//   porukano-progress-bench [--runs N] FILE
//
// Converts FILE (a large text, such as the 100 MB prose corpus) through the desktop program's main
// window, shown on Qt's offscreen platform (unless QT_QPA_PLATFORM names another), in turn with
// its progress display working (the percentage label lblProcess and the progress bar pbrProcess
// set whenever the percentage changes, and the window repainted as the desktop platform does it)
// and with the display switched off (the same window, settings and program, but those two
// controls left alone and no repaint), and once more through a headless main window for
// comparison. It prints the medians, the display's share of the conversion, and the time spent
// inside the display's calls during the conversion (setting the label and the bar, repainting),
// which the load of the machine disturbs far less than the difference of two long runs. All
// pages must be the same bytes. The program's
// six windows are created as at its start; PORUKANO_HOME is pointed at an empty temporary folder,
// so no options are read and nothing is left behind.
#include <QApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/terminal_platform.h"
#include "engine/base/main_window_controls.h"
#include "engine/page/converter.h"
#include "engine/text/encoding.h"
#include "settings/options_folder.h"
#include "ui/Unit1.h"
#include "ui/desktop_program.h"
#include "ui/qt_platform.h"
#include "ui/web_engine_setup.h"

namespace {

using TClock = std::chrono::steady_clock;

// Seconds spent in the progress display's calls of one conversion: its label and bar set, and
// the repaints.
double displaySeconds = 0;

// Adds the time f takes to displaySeconds.
template <typename F>
void Timed(F&& f) {
    const TClock::time_point start = TClock::now();
    f();
    displaySeconds += std::chrono::duration<double>(TClock::now() - start).count();
}

// The desktop platform, counting the repaints the conversion asks for and timing them; with
// Silent set it repaints nothing.
class TBenchPlatform : public TQtPlatform {
  public:
    void Repaint() override {
        ++Repaints;
        if (!Silent)
            Timed([this] { TQtPlatform::Repaint(); });
    }
    int Repaints = 0;
    bool Silent = false;
};

// The main window's controls with the progress display cut off (the label and the bar are
// neither set nor shown, everything else reaches the window) or, with cutOff false, with the
// time of every change to those two added to displaySeconds.
class TProgressControls : public TForm {
  public:
    TProgressControls(TForm& form, bool cutOff) : form_(form), cutOff_(cutOff) {}

    bool HasControl(std::string_view name) const override { return form_.HasControl(name); }
    std::string Text(std::string_view name) const override { return form_.Text(name); }
    void SetText(std::string_view name, std::string_view text) override {
        Progress(name, [&] { form_.SetText(name, text); });
    }
    bool Checked(std::string_view name) const override { return form_.Checked(name); }
    void SetChecked(std::string_view name, bool checked) override {
        form_.SetChecked(name, checked);
    }
    int ItemIndex(std::string_view name) const override { return form_.ItemIndex(name); }
    void SetItemIndex(std::string_view name, int index) override {
        form_.SetItemIndex(name, index);
    }
    int Position(std::string_view name) const override { return form_.Position(name); }
    void SetPosition(std::string_view name, int position) override {
        Progress(name, [&] { form_.SetPosition(name, position); });
    }
    TColor FontColor(std::string_view name) const override { return form_.FontColor(name); }
    void SetFontColor(std::string_view name, TColor color) override {
        form_.SetFontColor(name, color);
    }
    TColor Color(std::string_view name) const override { return form_.Color(name); }
    void SetColor(std::string_view name, TColor color) override { form_.SetColor(name, color); }
    bool Enabled(std::string_view name) const override { return form_.Enabled(name); }
    void SetEnabled(std::string_view name, bool enabled) override {
        form_.SetEnabled(name, enabled);
    }
    bool Visible(std::string_view name) const override { return form_.Visible(name); }
    void SetVisible(std::string_view name, bool visible) override {
        Progress(name, [&] { form_.SetVisible(name, visible); });
    }
    void SetChangeHandler(std::string_view name, std::function<void()> handler) override {
        form_.SetChangeHandler(name, std::move(handler));
    }

  private:
    template <typename F>
    void Progress(std::string_view name, F&& change) {
        if (name != "lblProcess" && name != "pbrProcess") {
            change();
        } else if (!cutOff_) {
            Timed(change);
        }
    }
    TForm& form_;
    bool cutOff_;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Seconds one conversion of input into output takes through env; exits on a failed conversion.
double TimeConversion(TEngineEnv& env, const std::string& input, const std::string& output) {
    bool images = false;
    const TClock::time_point start = TClock::now();
    if (!ConvertTextFile(env, input, output, images)) {
        std::cerr << "porukano-progress-bench: the conversion failed\n";
        std::exit(1);
    }
    return std::chrono::duration<double>(TClock::now() - start).count();
}

bool SameBytes(const std::string& a, const std::string& b) {
    std::ifstream fa(a, std::ios::binary), fb(b, std::ios::binary);
    std::vector<char> ba(1 << 16), bb(1 << 16);
    while (fa && fb) {
        fa.read(ba.data(), static_cast<std::streamsize>(ba.size()));
        fb.read(bb.data(), static_cast<std::streamsize>(bb.size()));
        if (fa.gcount() != fb.gcount() ||
            !std::equal(ba.begin(), ba.begin() + fa.gcount(), bb.begin()))
            return false;
    }
    return fa.eof() && fb.eof();
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("PORUKANO_HOME", home.path().toLocal8Bit());
    PrepareWebEngine();
    QApplication application(argc, argv);

    int runs = 5;
    std::string input;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else if (input.empty() && !arg.empty() && arg[0] != '-') {
            input = arg;
        } else {
            std::cerr << "Usage: porukano-progress-bench [--runs N] FILE\n";
            return 2;
        }
    }
    if (input.empty()) {
        std::cerr << "Usage: porukano-progress-bench [--runs N] FILE\n";
        return 2;
    }
    const std::string shownPage = home.filePath("shown.htm").toStdString();
    const std::string offPage = home.filePath("off.htm").toStdString();
    const std::string headlessPage = home.filePath("headless.htm").toStdString();

    TBenchPlatform platform;
    const std::unique_ptr<TDesktopProgram> program = CreateDesktopProgram(platform, {}, [] {});
    if (!program)
        return 1;
    TfrmMain& window = program->Main();
    platform.SetOwner(&window);
    window.show();
    QCoreApplication::processEvents();  // the window's start-up
    TProgressControls timedProgress(window.Form(), false);
    TEngineEnv displayOn{timedProgress, platform, window.State()};
    TProgressControls withoutProgress(window.Form(), true);
    TEngineEnv displayOff{withoutProgress, platform, window.State()};

    const std::unique_ptr<THeadlessForm> headlessForm = MakeHeadlessMainWindow();
    std::ostringstream messages;
    TTerminalPlatform quiet(messages, *headlessForm, false);
    TProgramState state;
    state.OptionsFolder = FindOptionsFolder();
    TEngineEnv headless{*headlessForm, quiet, state};

    std::vector<double> shown, off, plain, updates;
    int repaints = 0;
    const auto convertShown = [&] {
        platform.Repaints = 0;
        displaySeconds = 0;
        shown.push_back(TimeConversion(displayOn, input, shownPage));
        repaints = platform.Repaints;
        updates.push_back(displaySeconds);
    };
    const auto convertOff = [&] {
        platform.Silent = true;
        off.push_back(TimeConversion(displayOff, input, offPage));
        platform.Silent = false;
    };
    for (int run = 0; run < runs; ++run) {
        // Alternate the order, so that neither side always runs on a warmer machine.
        if (run % 2 == 0) {
            convertShown();
            convertOff();
        } else {
            convertOff();
            convertShown();
        }
    }
    plain.push_back(TimeConversion(headless, input, headlessPage));
    if (!SameBytes(shownPage, offPage) || !SameBytes(shownPage, headlessPage)) {
        std::cerr << "porukano-progress-bench: the pages differ\n";
        return 1;
    }

    const double withDisplay = Median(shown);
    const double without = Median(off);
    const double displayAlone = Median(updates);
    std::printf("| conversion of %s | median s |\n|---|---:|\n", input.c_str());
    std::printf(
        "| desktop main window, offscreen, progress display on (%d repaints), %d runs "
        "| %.3f |\n",
        repaints, runs, withDisplay);
    std::printf("| the same window, progress display off, %d runs | %.3f |\n", runs, without);
    std::printf("| headless main window, 1 run | %.3f |\n\n", plain.front());
    std::printf(
        "progress display: %+.2f %% of the conversion without it (difference of the "
        "medians)  \n",
        (withDisplay - without) / without * 100);
    std::printf(
        "time inside the display's calls during the conversion (label, bar, repaints; "
        "median): %.1f ms = %.2f %% of the conversion without it (goal: under 2 %%)\n",
        displayAlone * 1000, displayAlone / without * 100);
    return 0;
}
