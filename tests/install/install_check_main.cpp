// porukano-install-check FOLDER: the desktop program's windows, created as porukano creates them
// and driven through the steps a user takes once: the options dialog's OK, saving a settings file
// into FOLDER, the preview page, and closing the main window through its close steps. Any message
// box on the way is a failure. tests/install/installed_as_user.sh copies it next to an installed
// porukano, so the program's folder is the installed one; it is never installed itself.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QtTest/QTest>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "commands/preview_files.h"
#include "tests/support/scripted_platform.h"
#include "ui/Unit1.h"
#include "ui/desktop_program.h"
#include "ui/option_window.h"
#include "ui/preview.h"
#include "ui/web_engine_setup.h"

namespace {

constexpr int kPreviewPage = 9;
constexpr int kPreviewWaitMs = 20000;

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// Waits for the preview's next page (one already loaded counts); whether it loaded.
bool NextLoadSucceeds(QSignalSpy& loaded) {
    return (!loaded.isEmpty() || loaded.wait(kPreviewWaitMs)) && loaded.takeFirst().at(0).toBool();
}

// Whether the preview's page, as written into its private folder, holds text.
bool PreviewShows(TDesktopProgram& program, const std::string& text) {
    std::ifstream page(PreviewFilesIn(program.Main().PreviewFolder().Path()).Page,
                       std::ios::binary);
    const std::string written{std::istreambuf_iterator<char>(page), {}};
    return written.find(text) != std::string::npos;
}

bool Check(bool ok, const char* step) {
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", step);
    return ok;
}

// The steps in order; false at the first that fails.
bool DriveProgram(TDesktopProgram& program, TScriptedPlatform& platform, const int& endRequests,
                  const std::string& folder) {
    program.Main().show();
    QApplication::processEvents();  // the start-up sequence
    if (!Check(platform.Messages.empty(), "start-up shows no message"))
        return false;

    TfrmOption& options = program.Options();
    options.show();
    QTest::mouseClick(options.findChild<QPushButton*>("btnOK"), Qt::LeftButton);
    if (!Check(!options.isVisible() && platform.Messages.empty(), "options dialog's OK"))
        return false;

    const std::string settings = folder + "/check.prkn";
    platform.FileDialogAnswers = {settings};
    program.Main().findChild<QAction*>("mitmSave")->trigger();
    if (!Check(std::filesystem::exists(settings) && platform.Messages.empty(),
               "settings file saved"))
        return false;

    // The preview of a text of the user's, which then follows an edit of it.
    const std::string text = folder + "/followed.txt";
    WriteText(text, "first-version\r\n");
    program.Main().DropFiles({QString::fromStdString(text)});
    QSignalSpy loaded(&program.Preview(), &TPreview::loadFinished);
    program.Main().Pages()->setCurrentIndex(kPreviewPage);
    if (!Check(NextLoadSucceeds(loaded) &&
                   QTest::qWaitFor([&] { return PreviewShows(program, "first-version"); },
                                   kPreviewWaitMs) &&
                   platform.Messages.empty(),
               "preview built and shown"))
        return false;
    WriteText(text, "second-version\r\n");
    if (!Check(QTest::qWaitFor([&] { return PreviewShows(program, "second-version"); },
                               kPreviewWaitMs),
               "preview follows the edited text"))
        return false;
    program.Main().Pages()->setCurrentIndex(0);

    // A setting changed now is in force at the next start.
    program.Main().findChild<QCheckBox*>("chkRubyNotation")->setChecked(true);
    program.Main().close();
    return Check(endRequests == 1 && platform.Messages.empty(), "main window closed");
}

// A second start of the program, which must find the settings the first one closed with.
bool SettingsKept(TScriptedPlatform& platform) {
    int endRequests = 0;
    TDesktopProgram program(platform, {}, [&endRequests] { ++endRequests; });
    program.Main().show();
    QApplication::processEvents();
    return Check(program.Main().findChild<QCheckBox*>("chkRubyNotation")->isChecked() &&
                     platform.Messages.empty(),
                 "the next start has the settings of the last close");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Usage: porukano-install-check FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    PrepareWebEngine();
    int applicationArgc = 1;
    QApplication application(applicationArgc, argv);
    QGuiApplication::setDesktopFileName("porukano");

    TScriptedPlatform platform;
    int endRequests = 0;
    bool ok = false;
    {
        TDesktopProgram program(platform, {}, [&endRequests] { ++endRequests; });
        ok = DriveProgram(program, platform, endRequests, folder);
    }
    ok = ok && SettingsKept(platform);
    for (const std::string& text : platform.MessageTexts())
        std::printf("message box: %s\n", text.c_str());
    return ok ? 0 : 1;
}
