// Ctrl+C and SIGTERM end the window program as "終了" does: status 0, and the preview's private
// folder gone with it. The program runs as a child process (this test program started again in
// the role that RunPreviewUntilSignalled plays), so that a real signal reaches a real event loop.
#include <QApplication>
#include <QProcess>
#include <QTabWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>

#include "tests/support/temp_dir.h"
#include "tests/ui/preview_child.h"
#include "ui/Unit1.h"
#include "ui/desktop_program.h"
#include "ui/preview.h"

int RunPreviewUntilSignalled(int argc, char** argv) {
    return RunDesktopProgram(argc, argv, [](TDesktopProgram& program) {
        TfrmMain& main = program.Main();
        QObject::connect(&program.Preview(), &TPreview::loadFinished, [&main](bool) {
            std::printf("%s\n", main.PreviewFolder().Path().c_str());
            std::fflush(stdout);
        });
        main.show();
        main.Pages()->setCurrentWidget(main.PreviewPage());
        return QApplication::exec();
    });
}

TEST(QuitSignals, EndTheProgramWithStatusZeroAndTakeThePreviewFolder) {
    for (const int signal : {SIGTERM, SIGINT}) {
        TTempDir home;
        const std::string runtime = home.File("run/");
        std::filesystem::create_directory(runtime);
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("PORUKANO_HOME", QString::fromStdString(home.Path()));
        environment.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime));
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {kPreviewChildArgument});
        ASSERT_TRUE(child.waitForStarted(20000)) << signal;
        std::string folder;
        while (folder.empty() && child.waitForReadyRead(60000)) {
            if (child.canReadLine())
                folder = child.readLine().trimmed().toStdString();
        }
        ASSERT_FALSE(folder.empty()) << signal << child.readAllStandardError().toStdString();
        EXPECT_EQ(folder.rfind(runtime + "porukano-preview-", 0), 0u) << folder;
        EXPECT_TRUE(std::filesystem::is_directory(folder)) << folder;

        ASSERT_EQ(::kill(static_cast<pid_t>(child.processId()), signal), 0);
        ASSERT_TRUE(child.waitForFinished(30000)) << signal;
        EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << signal;
        EXPECT_EQ(child.exitCode(), 0) << signal;
        EXPECT_FALSE(std::filesystem::exists(folder)) << folder;
        EXPECT_TRUE(std::filesystem::is_empty(runtime)) << signal;
    }
}
