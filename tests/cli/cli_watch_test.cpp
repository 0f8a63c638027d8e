// porukano-cli --watch run as a program of its own, since only a signal ends it. Every wait polls
// with a deadline: the result never rests on a sleep being long enough.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <regex>
#include <sstream>
#include <system_error>
#include <thread>

#include "cli/cli.h"
#include "cli/terminal_platform.h"
#include "tests/support/environment.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr auto kDeadline = std::chrono::seconds(4);

bool WaitFor(const std::function<bool()>& condition) {
    const auto end = std::chrono::steady_clock::now() + kDeadline;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

std::vector<std::string> FolderNames(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// porukano-cli --watch on files, its standard error into a file, in the language of lang, with
// its own temporary folder; ended by a signal.
class TWatchRun {
  public:
    TWatchRun(const std::vector<std::string>& files, const std::string& lang) {
        std::vector<std::string> args = {PORUKANO_CLI_PROGRAM, "--watch", "-q"};
        args.insert(args.end(), files.begin(), files.end());
        pid_ = fork();
        if (pid_ == 0) {
            const int err = open(ErrPath().c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            dup2(err, 2);
            setenv("PORUKANO_HOME", home_.Path().c_str(), 1);
            setenv("TMPDIR", temp_.Path().c_str(), 1);
            unsetenv("LC_ALL");
            unsetenv("LC_MESSAGES");
            setenv("LANG", lang.c_str(), 1);
            std::vector<char*> argv;
            for (std::string& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
    }
    ~TWatchRun() {
        if (pid_ > 0 && !ended_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }

    std::string ErrPath() const { return home_.File("stderr.txt"); }
    std::vector<std::string> ErrLines() const { return Lines(ReadFileBytes(ErrPath())); }
    bool HasErrLines(std::size_t count) const {
        return WaitFor([&] { return ErrLines().size() >= count; });
    }
    // The exit status after sig sent times times, or -1 when it did not end normally in time.
    int Stop(int sig, int times = 1) {
        for (int i = 0; i < times; ++i)
            kill(pid_, sig);
        int status = 0;
        const bool ended = WaitFor([&] { return waitpid(pid_, &status, WNOHANG) == pid_; });
        ended_ = ended;
        return ended && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    const TTempDir& Temp() const { return temp_; }

  private:
    TTempDir home_, temp_;
    pid_t pid_ = -1;
    bool ended_ = false;
};

bool PageHolds(const std::string& page, const std::string& text) {
    return WaitFor([&] { return ReadFileBytes(page).find(text) != std::string::npos; });
}

}  // namespace

TEST(CliWatch, ConvertsAgainOnEachChangeGoesOnAfterAFailureAndEndsCleanOnSigterm) {
    TTempDir dir;
    const std::string text = dir.File("story.txt"), page = dir.File("story.htm");
    WriteFileBytes(text, "one\r\n");
    TWatchRun run({text}, "C");
    ASSERT_TRUE(PageHolds(page, "<p>one<br>"));
    ASSERT_TRUE(run.HasErrLines(1));
    EXPECT_TRUE(std::regex_match(
        run.ErrLines()[0], std::regex("porukano-cli: \\d\\d:\\d\\d:\\d\\d converted " + text)))
        << run.ErrLines()[0];

    // Written in place.
    WriteFileBytes(text, "two\r\n");
    EXPECT_TRUE(PageHolds(page, "<p>two<br>"));
    ASSERT_TRUE(run.HasErrLines(2));
    // Replaced by an editor's rename.
    WriteFileBytes(dir.File("story.txt.new"), "three\r\n");
    std::filesystem::rename(dir.File("story.txt.new"), text);
    EXPECT_TRUE(PageHolds(page, "<p>three<br>"));
    ASSERT_TRUE(run.HasErrLines(3));

    // A folder in the text's place fails with its reason; the watch goes on.
    std::filesystem::remove(text);
    std::filesystem::create_directory(text);
    // The error's four lines, then the conversion's own.
    ASSERT_TRUE(run.HasErrLines(8)) << ReadFileBytes(run.ErrPath());
    const std::vector<std::string> failed = run.ErrLines();
    EXPECT_EQ(failed[6], "理由: ファイルではなくフォルダーです。");
    EXPECT_TRUE(failed[7].ends_with(" could not convert " + text)) << failed[7];
    std::filesystem::remove(text);
    WriteFileBytes(text, "four\r\n");
    EXPECT_TRUE(PageHolds(page, "<p>four<br>"));
    ASSERT_TRUE(run.HasErrLines(9));
    EXPECT_TRUE(run.ErrLines()[8].ends_with(" converted " + text));

    // Twice, as timeout(1) does: to the program, then to its process group.
    EXPECT_EQ(run.Stop(SIGTERM, 2), 0);
    EXPECT_EQ(run.ErrLines().back(), "porukano-cli: watch ended");
    EXPECT_EQ(FolderNames(dir.Path()), (std::vector<std::string>{"story.htm", "story.txt"}));
    EXPECT_TRUE(FolderNames(run.Temp().Path()).empty());
}

TEST(CliWatch, CtrlCEndsAJapaneseWatchOfSeveralFiles) {
    TTempDir dir;
    WriteFileBytes(dir.File("a.txt"), "a\r\n");
    WriteFileBytes(dir.File("b.txt"), "b\r\n");
    TWatchRun run({dir.File("a.txt"), dir.File("b.txt")}, "ja_JP.UTF-8");
    ASSERT_TRUE(run.HasErrLines(2));
    EXPECT_TRUE(run.ErrLines()[0].ends_with(" " + dir.File("a.txt") + " を変換しました"));
    // Only the file that changed is converted again.
    WriteFileBytes(dir.File("b.txt"), "bb\r\n");
    EXPECT_TRUE(PageHolds(dir.File("b.htm"), "<p>bb<br>"));
    ASSERT_TRUE(run.HasErrLines(3));
    EXPECT_TRUE(run.ErrLines()[2].ends_with(" " + dir.File("b.txt") + " を変換しました"));
    EXPECT_EQ(run.Stop(SIGINT), 0);
    EXPECT_EQ(run.ErrLines().size(), 4u);
    EXPECT_EQ(run.ErrLines().back(), "porukano-cli: 監視を終えます");
}

TEST(CliWatch, AFileInAMissingFolderCannotBeWatched) {
    TTempDir dir;
    const TEnvironmentVariable options("PORUKANO_HOME", dir.Path());
    std::ostringstream out, err;
    std::istringstream in;
    const int code = RunCli({"--watch", dir.File("none/a.txt")}, in, out, err, false);
    EXPECT_EQ(code, 1);
    EXPECT_EQ(err.str(), "porukano-cli: --watch: " + dir.File("none") + ": " +
                             std::generic_category().message(ENOENT) + "\n");
}

// timeout(1) sends its SIGTERM to the program and then to its process group: the second may come
// after the watch has ended for the first, and must not turn a clean end into a kill. A run that
// no SIGTERM ended leaves the signal as it found it.
TEST(CliWatch, ASecondSigtermAfterTheEndIsIgnored) {
    EXPECT_EXIT(
        {
            {
                const TInterruptSignals interrupt;
                raise(SIGTERM);
                if (!interrupt.Interrupted())
                    _exit(2);
            }
            raise(SIGTERM);
            _exit(0);
        },
        testing::ExitedWithCode(0), "");
    EXPECT_EXIT(
        {
            { const TInterruptSignals interrupt; }
            raise(SIGTERM);
            _exit(0);
        },
        testing::KilledBySignal(SIGTERM), "");
}
