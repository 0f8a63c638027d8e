#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "cli/cli.h"
#include "tests/support/environment.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

struct TTreeRun {
    int Code;
    std::string Err;
};

TTreeRun RunTree(std::vector<std::string> args) {
    static const TTempDir home;
    const TEnvironmentVariable options("PORUKANO_HOME", home.Path());
    const TEnvironmentVariable english("LC_ALL", "C");
    std::istringstream in;
    std::ostringstream out, err;
    const int code = RunCli(args, in, out, err, false);
    EXPECT_EQ(out.str(), "");
    return {code, err.str()};
}

// The files under root (relative paths, sorted) with their bytes.
std::vector<std::pair<std::string, std::string>> TreeOf(const std::string& root) {
    std::vector<std::pair<std::string, std::string>> files;
    for (const fs::directory_entry& e : fs::recursive_directory_iterator(root)) {
        if (e.is_regular_file())
            files.emplace_back(e.path().lexically_relative(root).string(),
                               ReadFileBytes(e.path().string()));
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::string> NamesOf(const std::vector<std::pair<std::string, std::string>>& tree) {
    std::vector<std::string> names;
    for (const auto& [name, bytes] : tree)
        names.push_back(name);
    return names;
}

// A tree of texts of several sizes in sub-folders, with a file no pattern takes by default.
void MakeTexts(const std::string& root) {
    fs::create_directories(root + "/one/two");
    for (int i = 0; i < 12; ++i) {
        std::string text;
        for (int line = 0; line < 30 * i + 1; ++line)
            text += "text " + std::to_string(i) + ", line " + std::to_string(line) + "\r\n";
        const std::string folder = i % 3 == 0 ? "" : i % 3 == 1 ? "/one" : "/one/two";
        WriteFileBytes(root + folder + "/t" + std::to_string(i) + ".txt", text);
    }
    WriteFileBytes(root + "/one/notes.md", "md\r\n");
}

}  // namespace

TEST(CliTree, ConvertsSubFoldersBesideOrMirroredUnderTheOutFolder) {
    TTempDir dir;
    const std::string root = dir.File("texts");
    MakeTexts(root);

    TTreeRun r = RunTree({"-r", root});
    EXPECT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(r.Err, "");
    EXPECT_TRUE(FileExists(root + "/one/two/t5.htm"));
    EXPECT_TRUE(FileExists(root + "/t0.htm"));
    EXPECT_FALSE(FileExists(root + "/one/notes.htm"));

    // Under "*" the pages beside the texts are no texts: each is the page of its text.
    r = RunTree({"-r", root, "--glob", "*"});
    EXPECT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(TreeOf(root).size(), 12u + 12u + 2u);
    EXPECT_TRUE(FileExists(root + "/one/notes.htm"));

    // --glob, repeatable; the pages go into a tree of their own, whose folders are made.
    const std::string out = root + "/pages";
    r = RunTree({"-r", root, "--glob", "*.md", "--glob", "t1*.txt", "--out-dir", out});
    EXPECT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(NamesOf(TreeOf(out)), (std::vector<std::string>{"one/notes.htm", "one/t1.htm",
                                                              "one/t10.htm", "one/two/t11.htm"}));
    // The out folder inside the texts' folder is not walked: a text put there stays out.
    WriteFileBytes(out + "/stray.txt", "s\r\n");
    r = RunTree({"-r", root, "--out-dir", out});
    EXPECT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(TreeOf(out).size(), 4u + 9u + 1u);
    EXPECT_FALSE(fs::exists(out + "/pages"));
}

TEST(CliTree, PagesAreTheSameForAnyNumberOfJobsAndAsFileByFile) {
    TTempDir dir;
    const std::string root = dir.File("texts");
    MakeTexts(root);
    ASSERT_EQ(RunTree({"-r", root, "-j", "1", "--out-dir", dir.File("j1")}).Code, 0);
    ASSERT_EQ(RunTree({"-r", root, "--jobs", "4", "--out-dir", dir.File("j4")}).Code, 0);
    const auto one = TreeOf(dir.File("j1"));
    EXPECT_EQ(one.size(), 12u);
    EXPECT_EQ(one, TreeOf(dir.File("j4")));
    ASSERT_EQ(RunTree({"-r", root}).Code, 0);
    for (const auto& [name, bytes] : one) {
        const std::string text = root + "/" + name.substr(0, name.size() - 4) + ".txt";
        const std::string single = dir.File("single.htm");
        ASSERT_EQ(RunTree({"-o", single, text}).Code, 0);
        EXPECT_EQ(ReadFileBytes(single), bytes) << name;
        EXPECT_EQ(ReadFileBytes(root + "/" + name), bytes) << name;
    }
}

TEST(CliTree, AFailingFileIsListedAtTheEndAndTheOthersAreConverted) {
    TTempDir dir;
    const std::string root = dir.File("texts");
    MakeTexts(root);
    // A folder where the page of t4 should go.
    fs::create_directories(root + "/one/t4.htm");
    const TTreeRun r = RunTree({"-r", root, dir.File("missing"), "-j", "3"});
    EXPECT_EQ(r.Code, 1);
    EXPECT_EQ(r.Err,
              "porukano-cli: 2 file(s) could not be converted (11 converted):\n"
              "porukano-cli: not converted: " +
                  root +
                  "/one/t4.txt\n"
                  "porukano-cli: エラー: 以下のファイルのオープンに失敗しました。\n\t" +
                  root +
                  "/one/t4.htm\n現存するファイルか確認してください。\n"
                  "理由: 同じ名前のフォルダーがあります。\n"
                  "porukano-cli: not converted: " +
                  dir.File("missing") +
                  "\nporukano-cli: エラー: 以下のフォルダーを読み込めません。\n\t" +
                  dir.File("missing") + "\n理由: フォルダーが存在しません。\n");
    EXPECT_TRUE(FileExists(root + "/one/t7.htm"));
    EXPECT_TRUE(FileExists(root + "/one/two/t11.htm"));
}

TEST(CliTree, RefusesOptionsThatDoNotGoTogether) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"-j", "2", "a.txt"},
                                                 {"--glob", "*", "a.txt"},
                                                 {"--out-dir", "o", "a.txt"},
                                                 {"-r", "-j", "0", "d"},
                                                 {"-r", "-j", "x", "d"},
                                                 {"-r", "-j"},
                                                 {"-r", "--glob", "", "d"},
                                                 {"-r", "-o", "p.htm", "d"},
                                                 {"-r", "--watch", "d"},
                                                 {"-r", "--text-box", "d"},
                                                 {"-r", "-"}}) {
        const TTreeRun r = RunTree(args);
        EXPECT_EQ(r.Code, 2) << args[0] << ' ' << args[1];
        EXPECT_TRUE(r.Err.starts_with("porukano-cli: ")) << r.Err;
    }
}
