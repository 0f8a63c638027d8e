// The desktop program with a scripted platform and a fresh folder for its files (PORUKANO_HOME),
// its preview's private folders made in run/ of that folder (XDG_RUNTIME_DIR): message boxes and
// dialogs answer from the script, so no test waits on a modal box.
#pragma once

#include <QAbstractButton>
#include <QMimeData>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/environment.h"
#include "tests/support/scripted_platform.h"
#include "tests/support/temp_dir.h"
#include "ui/Unit1.h"
#include "ui/desktop_program.h"

class TProgramTest : public ::testing::Test {
  protected:
    TProgramTest();
    ~TProgramTest() override;

    // Creates the six windows and shows the main window; its start-up sequence has run on return.
    void Start(std::vector<std::string> arguments = {});

    TfrmMain& Main();
    // The control of the main window with that objectName.
    template <typename T>
    T* Control(const char* name);

    // Clicks a check box on its box, as a user does.
    static void Tick(QAbstractButton* box);
    // Drops files on target as the desktop does.
    static void Drop(QWidget& target, const std::vector<std::string>& paths);
    // The messages shown so far, as UTF-8 text.
    std::vector<std::string> MessageTexts() const;

    TTempDir home_;
    const std::string runtime_ = home_.File("run/");
    TEnvironmentVariable homeVariable_{"PORUKANO_HOME", home_.Path()};
    TEnvironmentVariable runtimeVariable_{"XDG_RUNTIME_DIR", runtime_};
    TScriptedPlatform platform_;
    int endRequests_ = 0;
    std::unique_ptr<TDesktopProgram> program_;
};

template <typename T>
T* TProgramTest::Control(const char* name) {
    T* control = Main().findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
}

// A file's Shift_JIS bytes as UTF-8.
std::string ReadAsUtf8(const std::string& path);
