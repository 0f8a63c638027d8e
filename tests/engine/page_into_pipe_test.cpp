// A page written into a pipe: what reaches the pipe stays there, so a conversion that would have
// to begin the page again may not begin it before the whole text is known to be valid.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "tests/engine/encoding_fixture.h"

namespace {

// Reads everything written into a named pipe, by any number of writers one after the other,
// until Finish.
class TPipeReader {
  public:
    explicit TPipeReader(std::string path) : path_(std::move(path)), thread_([this] { Run(); }) {}
    ~TPipeReader() { Finish(); }

    // Waits until the reader has stopped (a reader waiting for a writer is let go) and returns
    // what came through.
    const std::string& Finish() {
        stop_ = true;
        while (!stopped_) {
            // Opening for writing without blocking succeeds only while the reader waits.
            if (const int fd = open(path_.c_str(), O_WRONLY | O_NONBLOCK); fd >= 0)
                close(fd);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        if (thread_.joinable())
            thread_.join();
        return received_;
    }

  private:
    void Run() {
        while (!stop_) {
            const int fd = open(path_.c_str(), O_RDONLY);
            if (fd < 0)
                break;
            char buffer[1 << 16];
            for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;)
                received_.append(buffer, static_cast<std::size_t>(n));
            close(fd);
        }
        stopped_ = true;
    }

    std::string path_;
    std::string received_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> stopped_{false};
    std::thread thread_;
};

}  // namespace

TEST(PageIntoPipe, TextInvalidPastTheSampleReachesThePipeOnceAsShiftJis) {
    TEncodedConversion c;
    std::string text;
    while (text.size() < 300 * 1024)
        text += InEncoding("吾輩は猫である。😀", "UTF-8") + "\r\n";
    text += InEncoding("名前はまだ無い。\r\n", "CP932");
    const std::string named = c.Convert(text, 1, 0);
    ASSERT_FALSE(named.empty());

    const std::string pipe = c.Dir.File("pipe.htm");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    TPipeReader reader(pipe);
    c.Form->SetItemIndex("cmbInputEncoding", 0);
    bool images = false;
    ASSERT_TRUE(ConvertTextFile(c.Env, c.Dir.File("in.txt"), pipe, images, c.Used));
    EXPECT_EQ(c.Used.Input, TTextEncoding::ShiftJis);
    EXPECT_TRUE(reader.Finish() == named) << "the pipe got more than the Shift_JIS page";
}
