#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "engine/base/file_paths.h"
#include "engine/batch/batch_run.h"
#include "engine/batch/text_tree.h"
#include "engine/page/converter.h"
#include "engine/text/encoding.h"
#include "tests/engine/engine_fixture.h"

namespace fs = std::filesystem;

namespace {

std::string PageOf(const std::string& text) {
    return text.substr(0, text.size() - ExtensionOf(text).size()) + ".htm";
}

std::vector<std::string> TextsOf(const std::vector<TBatchFile>& files) {
    std::vector<std::string> texts;
    for (const TBatchFile& file : files)
        texts.push_back(file.Text + (file.Refusal.empty() ? "" : " (refused)"));
    return texts;
}

TTreeRequest RequestFor(std::vector<std::string> folders, std::vector<std::string> patterns = {}) {
    TTreeRequest request;
    request.Folders = std::move(folders);
    request.Patterns = std::move(patterns);
    request.PageOf = PageOf;
    return request;
}

// Everything a job hands back for a file, to compare runs with any number of jobs.
std::string Describe(const TBatchFile& file, const TBatchResult& result) {
    std::string text = file.Text + " " + std::to_string(static_cast<int>(result.Outcome));
    for (const TBatchMessage& message : result.Messages)
        text += " [" + std::to_string(static_cast<int>(message.Kind)) + "] " + message.Text;
    return text;
}

}  // namespace

TEST(TextTree, ListsMatchingFilesOfEveryFolderSortedWithoutFollowingFolderLinks) {
    TTempDir dir;
    const std::string root = dir.File("root");
    fs::create_directories(root + "/a/deep");
    WriteFileBytes(root + "/b.txt", "b\r\n");
    WriteFileBytes(root + "/a/z.txt", "zz\r\n");
    WriteFileBytes(root + "/a/deep/y.TXT", "y\r\n");
    WriteFileBytes(root + "/c.md", "c\r\n");
    WriteFileBytes(root + "/.hidden.txt", "h\r\n");
    fs::create_directory_symlink("a", root + "/folder-link");
    fs::create_directory_symlink("..", root + "/a/loop");
    fs::create_symlink("b.txt", root + "/file-link.txt");

    std::vector<TBatchFile> files = ListTreeTexts(RequestFor({root}));
    EXPECT_EQ(TextsOf(files), (std::vector<std::string>{root + "/.hidden.txt", root + "/a/z.txt",
                                                        root + "/b.txt", root + "/file-link.txt"}));
    ASSERT_EQ(files.size(), 4u);
    EXPECT_EQ(files[1].Page, root + "/a/z.htm");
    EXPECT_EQ(files[1].Bytes, 4u);

    // Several patterns, matched on the name alone and with the letter case as written; a
    // folder given twice, or inside another given, adds no file twice.
    files = ListTreeTexts(RequestFor({root + "/a", root, root + "/a/"}, {"*.md", "*.TXT"}));
    EXPECT_EQ(TextsOf(files), (std::vector<std::string>{root + "/a/deep/y.TXT", root + "/c.md"}));

    // A folder that is missing or is a file is listed as refused, and the others still count.
    files = ListTreeTexts(RequestFor({root + "/none", root + "/b.txt", root + "/a"}));
    EXPECT_EQ(TextsOf(files),
              (std::vector<std::string>{root + "/none (refused)", root + "/b.txt (refused)",
                                        root + "/a/z.txt"}));
    EXPECT_NE(files[0].Refusal.find(Sjis("フォルダーが存在しません。")), std::string::npos);
    EXPECT_NE(files[1].Refusal.find(Sjis("フォルダーではありません。")), std::string::npos);
}

TEST(TextTree, PagesGoIntoTheOutFolderWhichIsNeverTakenAsInput) {
    TTempDir dir;
    const std::string root = dir.File("root");
    fs::create_directories(root + "/a");
    fs::create_directories(root + "/out/a");
    WriteFileBytes(root + "/a/z.txt", "z\r\n");
    WriteFileBytes(root + "/top.txt", "t\r\n");
    // What an earlier run wrote into the out folder, or a text that merely lies there.
    WriteFileBytes(root + "/out/a/old.txt", "o\r\n");

    TTreeRequest request = RequestFor({root});
    request.OutFolder = root + "/out";
    const std::vector<TBatchFile> files = ListTreeTexts(request);
    EXPECT_EQ(TextsOf(files), (std::vector<std::string>{root + "/a/z.txt", root + "/top.txt"}));
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].Page, root + "/out/a/z.htm");
    EXPECT_EQ(files[1].Page, root + "/out/top.htm");
}

TEST(TextTree, PagesOfTheRunAreNoTextsAndTwoTextsNeverShareOnePage) {
    TTempDir dir;
    WriteFileBytes(dir.File("x.txt"), "x\r\n");
    WriteFileBytes(dir.File("x.htm"), "a page of an earlier run");
    WriteFileBytes(dir.File("y.text"), "y\r\n");
    WriteFileBytes(dir.File("y.txt"), "y\r\n");
    const std::vector<TBatchFile> files = ListTreeTexts(RequestFor({dir.Path()}, {"*"}));
    EXPECT_EQ(TextsOf(files), (std::vector<std::string>{dir.File("x.txt"), dir.File("y.text"),
                                                        dir.File("y.txt (refused)")}));
    ASSERT_EQ(files.size(), 3u);
    EXPECT_NE(files[2].Refusal.find(PathForMessage(dir.File("y.text"))), std::string::npos);
}

TEST(BatchRun, PagesAndMessagesAreThoseOfOneByOneInListOrderForAnyNumberOfJobs) {
    TEngineFixture one;
    // A setting away from the fresh window's, which every job must see.
    one.Form->SetText("edtPageTitle", Sjis("題名"));
    one.Form->SetItemIndex("cmbDocType", 1);
    const std::string root = one.Dir.File("texts");
    fs::create_directories(root + "/sub");
    for (int i = 0; i < 9; ++i) {
        std::string text;
        for (int line = 0; line <= i * 40; ++line)
            text += "line " + std::to_string(line) + " of text " + std::to_string(i) + "\r\n";
        WriteFileBytes(root + (i % 2 ? "/sub/" : "/") + "t" + std::to_string(i) + ".txt", text);
    }
    // The page of this text cannot be written: a folder has its name.
    WriteFileBytes(root + "/sub/blocked.txt", "b\r\n");
    fs::create_directories(root + "/sub/blocked.htm");
    // Control characters give a warning to a page that is still written.
    WriteFileBytes(root + "/warned.txt", std::string("a\x01z\r\n"));

    const std::vector<TBatchFile> files = ListTreeTexts(RequestFor({root}));
    ASSERT_EQ(files.size(), 11u);
    std::vector<std::string> expected;
    std::vector<std::string> pages;
    for (const TBatchFile& file : files) {
        one.Form->SetText("lblInputFilePath", PathForMessage(file.Page));
        bool images = false;
        const bool ok = ConvertTextFile(one.Env, file.Text, file.Page, images);
        TBatchResult result;
        result.Outcome = ok ? TBatchOutcome::Converted : TBatchOutcome::Failed;
        for (const TRecordedMessage& m : one.Platform.Messages)
            result.Messages.push_back({m.Kind, m.Text});
        one.Platform.Messages.clear();
        expected.push_back(Describe(file, result));
        pages.push_back(ok ? ReadFileBytes(file.Page) : "");
        if (ok)
            fs::remove(file.Page);
    }
    ASSERT_NE(pages.back().find("<title>題名</title>"), std::string::npos);  // a UTF-8 page

    for (const int jobs : {1, 4}) {
        TBatchRun run(files, *one.Form, one.State, jobs);
        std::vector<std::string> got;
        while (
            run.Deliver([&](const TBatchFile& file,
                            const TBatchResult& result) { got.push_back(Describe(file, result)); },
                        std::chrono::milliseconds(50))) {
        }
        EXPECT_EQ(got, expected) << jobs << " jobs";
        EXPECT_EQ(run.Counts().Converted, 10);
        EXPECT_EQ(run.Counts().Failed, 1);
        const TBatchProgress progress = run.Progress();
        EXPECT_EQ(progress.FilesDone, files.size());
        EXPECT_EQ(progress.BytesDone, progress.Bytes);
        for (std::size_t i = 0; i < files.size(); ++i) {
            if (!pages[i].empty()) {
                EXPECT_EQ(ReadFileBytes(files[i].Page), pages[i]) << files[i].Text;
                fs::remove(files[i].Page);
            }
        }
    }
}

TEST(BatchRun, CancelLeavesNoPageCutShort) {
    TEngineFixture fixture;
    const std::string text = fixture.Dir.File("long.txt");
    std::string lines;
    for (int i = 0; i < 5000; ++i)
        lines += "line " + std::to_string(i) + "\r\n";
    WriteFileBytes(text, lines);
    const std::string page = fixture.Dir.File("long.htm");
    WriteFileBytes(page, "the page before");

    // A conversion under way when the cancel comes stops at its first percent: the page it had
    // begun afresh is removed, not left cut short.
    const std::atomic<bool> cancelled{true};
    TBatchJob job(*fixture.Form, fixture.State, cancelled);
    const TBatchResult result = ConvertInJob(job, {text, page, lines.size(), {}});
    EXPECT_EQ(result.Outcome, TBatchOutcome::Cancelled);
    EXPECT_FALSE(FileExists(page));

    // The same job converts in full while the run goes on.
    const std::atomic<bool> running{false};
    TBatchJob going(*fixture.Form, fixture.State, running);
    EXPECT_EQ(ConvertInJob(going, {text, page, lines.size(), {}}).Outcome,
              TBatchOutcome::Converted);
    EXPECT_TRUE(ReadFileBytes(page).ends_with("</html>\r\n"));

    // A run cancelled at once: every page is whole, or as it was before, or gone when its
    // conversion was cut short; none is left half written.
    std::vector<TBatchFile> files;
    for (int i = 0; i < 6; ++i) {
        const std::string copy = fixture.Dir.File("copy" + std::to_string(i) + ".txt");
        WriteFileBytes(copy, lines);
        WriteFileBytes(PageOf(copy), "the page before");
        files.push_back({copy, PageOf(copy), lines.size(), {}});
    }
    TBatchRun run(files, *fixture.Form, fixture.State, 2);
    run.Cancel();
    std::vector<TBatchOutcome> outcomes;
    while (run.Deliver(
        [&](const TBatchFile&, const TBatchResult& r) { outcomes.push_back(r.Outcome); },
        std::chrono::milliseconds(50))) {
    }
    // How many files the jobs finish before the cancel depends on the machine's load.
    ASSERT_EQ(outcomes.size(), files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (outcomes[i] == TBatchOutcome::Converted) {
            EXPECT_TRUE(ReadFileBytes(files[i].Page).ends_with("</html>\r\n"));
        } else {
            EXPECT_EQ(outcomes[i], TBatchOutcome::Cancelled);
            EXPECT_TRUE(!FileExists(files[i].Page) ||
                        ReadFileBytes(files[i].Page) == "the page before")
                << files[i].Page;
        }
    }
}

TEST(BatchRun, ACancelStopsTheFileUnderWayAndStartsNoOther) {
    TEngineFixture fixture;
    std::string lines;
    for (int i = 0; i < 100000; ++i)
        lines += "line " + std::to_string(i) + "\r\n";
    std::vector<TBatchFile> files;
    for (const char* name : {"a", "b", "c"}) {
        const std::string text = fixture.Dir.File(std::string(name) + ".txt");
        WriteFileBytes(text, lines);
        files.push_back({text, PageOf(text), lines.size(), {}});
    }
    // The first page is a pipe, far too small for the page: once its open returns here, the
    // job has begun that file and waits for the test to read, so the cancel surely comes while
    // the file is under way.
    ASSERT_EQ(mkfifo(files[0].Page.c_str(), 0600), 0);
    TBatchRun run(files, *fixture.Form, fixture.State, 1);
    const int reader = open(files[0].Page.c_str(), O_RDONLY);
    ASSERT_GE(reader, 0);
    run.Cancel();
    char buffer[4096];
    std::size_t readBytes = 0;
    for (ssize_t n; (n = read(reader, buffer, sizeof buffer)) > 0;)
        readBytes += static_cast<std::size_t>(n);
    close(reader);
    EXPECT_LT(readBytes, lines.size());
    std::vector<TBatchOutcome> outcomes;
    while (run.Deliver(
        [&](const TBatchFile&, const TBatchResult& r) { outcomes.push_back(r.Outcome); },
        std::chrono::milliseconds(50))) {
    }
    EXPECT_EQ(outcomes, std::vector<TBatchOutcome>(3, TBatchOutcome::Cancelled));
    for (const TBatchFile& file : files)
        EXPECT_FALSE(fs::exists(fs::symlink_status(file.Page))) << file.Page;
    EXPECT_EQ(run.Counts().Cancelled, 3);
}
