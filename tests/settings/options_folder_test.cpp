// Where porukano.ini lives: each way of the choice, the folder made by the first write, and a
// folder that refuses writes judged by a process that really cannot write there.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "engine/base/main_window_controls.h"
#include "settings/options_folder.h"
#include "settings/untFileHistory.h"
#include "settings/untIniOption.h"
#include "tests/support/environment.h"
#include "tests/support/scripted_platform.h"
#include "tests/support/temp_dir.h"

namespace {

// A program folder with (or without) porukano.ini, and the other clues pointing elsewhere.
struct TFolders {
    TTempDir Root;
    std::string Executable = Root.File("bin/");
    TOptionsFolderClues Clues{"", Executable, "/xdg/config", "/home/u"};

    explicit TFolders(bool withIni) {
        std::filesystem::create_directories(Executable);
        if (withIni)
            WriteFileBytes(OptionsFilePath(Executable), "[Save]\r\nExtension=1\r\n");
    }
};

// Whether this process can make a new file in folder, tried for real.
bool CanMakeFileIn(const std::string& folder) {
    const std::string probe = folder + "probe";
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0)
        return false;
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
}

// Runs check in a child process that, when this one is root, has first become the user
// "nobody" (root writes into any folder whatever its mode). The child's exit status: 0 when
// check held, 1 when it did not, 2 when the privileges could not be dropped.
int ExitStatusAsUnprivileged(const std::function<bool()>& check) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(2);
        ::_exit(check() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(OptionsFolder, PorukanoHomeWinsOverEverything) {
    TFolders f(true);
    f.Clues.PorukanoHome = "/portable/stick";
    EXPECT_EQ(ChooseOptionsFolder(f.Clues), "/portable/stick/");
    f.Clues.PorukanoHome = "/portable/stick/";
    EXPECT_EQ(ChooseOptionsFolder(f.Clues), "/portable/stick/");
}

TEST(OptionsFolder, APortableCopyWithItsOwnOptionsFileKeepsThem) {
    TFolders f(true);
    EXPECT_EQ(ChooseOptionsFolder(f.Clues), f.Executable);
    // The folder given without its trailing separator is the same folder.
    f.Clues.ExecutableFolder.pop_back();
    EXPECT_EQ(ChooseOptionsFolder(f.Clues), f.Executable);
}

TEST(OptionsFolder, AnInstalledProgramKeepsItsFilesInTheXdgConfigFolder) {
    TFolders f(false);
    EXPECT_EQ(ChooseOptionsFolder(f.Clues), "/xdg/config/porukano/");
    f.Clues.XdgConfigHome = "/xdg/config/";
    EXPECT_EQ(ChooseOptionsFolder(f.Clues), "/xdg/config/porukano/");
    // Unset, empty or relative: the default below the home folder.
    f.Clues.XdgConfigHome = "";
    EXPECT_EQ(ChooseOptionsFolder(f.Clues), "/home/u/.config/porukano/");
    f.Clues.XdgConfigHome = "relative/config";
    EXPECT_EQ(ChooseOptionsFolder(f.Clues), "/home/u/.config/porukano/");
    // Without any home the program's folder is all there is.
    f.Clues.Home = "";
    EXPECT_EQ(ChooseOptionsFolder(f.Clues), f.Executable);
}

TEST(OptionsFolder, AReadOnlyOptionsFileBesideTheProgramIsLeftAlone) {
    // The writer refuses a read-only porukano.ini also for root, so the choice does too.
    TFolders f(true);
    ASSERT_EQ(::chmod(OptionsFilePath(f.Executable).c_str(), 0444), 0);
    EXPECT_EQ(ChooseOptionsFolder(f.Clues), "/xdg/config/porukano/");
    // A folder of that name is no options file either.
    TFolders g(false);
    std::filesystem::create_directory(OptionsFilePath(g.Executable));
    EXPECT_EQ(ChooseOptionsFolder(g.Clues), "/xdg/config/porukano/");
}

TEST(OptionsFolder, AFolderThatRefusesNewFilesIsLeftAlone) {
    // The program's folder is read-only (as /usr/bin is to a user) while porukano.ini itself
    // could be written. The choice is made by a process that truly cannot write there, and that
    // process first proves it: a test run as root would otherwise pass without looking.
    TFolders f(true);
    ASSERT_EQ(::chmod(f.Root.Path().c_str(), 0755), 0);
    ASSERT_EQ(::chmod(OptionsFilePath(f.Executable).c_str(), 0666), 0);
    ASSERT_EQ(::chmod(f.Executable.c_str(), 0555), 0);
    const int status = ExitStatusAsUnprivileged([&f] {
        return !CanMakeFileIn(f.Executable) &&
               ChooseOptionsFolder(f.Clues) == "/xdg/config/porukano/";
    });
    EXPECT_EQ(status, 0) << "2: the privileges could not be dropped";
    // The same folder, judged by this process: the choice follows what it can really do
    // (root can write there, and then keeps the portable options).
    const std::string expected =
        CanMakeFileIn(f.Executable) ? f.Executable : "/xdg/config/porukano/";
    EXPECT_EQ(ChooseOptionsFolder(f.Clues), expected);
    ::chmod(f.Executable.c_str(), 0755);
}

TEST(OptionsFolder, TheProcessFindsItsCluesInItsEnvironment) {
    TTempDir home;
    {
        TEnvironmentVariable porukano("PORUKANO_HOME", home.Path());
        EXPECT_EQ(FindOptionsFolder(), home.Path());
    }
    // An empty PORUKANO_HOME counts as unset. The tests' own folder holds no porukano.ini.
    TEnvironmentVariable porukano("PORUKANO_HOME", "");
    {
        TEnvironmentVariable config("XDG_CONFIG_HOME", home.File("config"));
        EXPECT_EQ(FindOptionsFolder(), home.File("config/porukano/"));
    }
    TEnvironmentVariable config("XDG_CONFIG_HOME", "config");
    TEnvironmentVariable user("HOME", home.File("user"));
    EXPECT_EQ(FindOptionsFolder(), home.File("user/.config/porukano/"));
}

TEST(OptionsFolder, EveryWriterOfTheOptionsFileMakesItsFolderPrivately) {
    TTempDir root;
    const std::string folder = root.File("config/porukano/");
    const std::string ini = OptionsFilePath(folder);
    TScriptedPlatform platform;
    TOption options;
    const auto mode = [](const std::string& path) {
        struct stat s {};
        return ::stat(path.c_str(), &s) == 0 ? (s.st_mode & 07777) : 0u;
    };

    ASSERT_TRUE(WriteOptions(ini, options, platform));
    EXPECT_TRUE(FileExists(ini));
    EXPECT_EQ(mode(folder), 0700u);
    EXPECT_EQ(mode(root.File("config")), 0700u);

    std::filesystem::remove_all(root.File("config"));
    const auto mainWindow = MakeHeadlessMainWindow();
    ASSERT_TRUE(WriteClosingOptions(ini, *mainWindow, options, platform));
    EXPECT_TRUE(FileExists(ini));

    std::filesystem::remove_all(root.File("config"));
    TSettingsHistory history;
    history[0].Path = "/doc/a.prkn";
    ASSERT_TRUE(SaveHistory(ini, history, platform));
    EXPECT_NE(ReadFileBytes(ini).find("History1=/doc/a.prkn"), std::string::npos);
    EXPECT_TRUE(platform.Messages.empty());

    // A folder that cannot be made: the write is refused with the program's message.
    WriteFileBytes(root.File("file"), "x");
    const std::string blocked = OptionsFilePath(root.File("file/porukano/"));
    EXPECT_FALSE(WriteOptions(blocked, options, platform));
    ASSERT_EQ(platform.Messages.size(), 1u);
    EXPECT_EQ(platform.MessageTexts()[0], blocked + " に書き込めません");
}

}  // namespace
