// A property of every page, tried on real Japanese prose (Debian's maint-guide-ja and
// debian-faq-ja): line by line, the text a reader sees (tags removed, entities decoded) is the
// input's, apart from what the settings say to drop: blanks that tabs and indentation move
// about, and the marks of rule lines. Every line is also one the program writes
// (page_check.h). The text is the benchmarks' prose corpus when bench/make-corpus has made it,
// else the packages' own text; without either the test is skipped.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>

#include "engine/encodings/line_reader.h"
#include "engine/line/prepared_emphasis.h"
#include "engine/page/converter.h"
#include "engine/text/encoding.h"
#include "engine/text/katakana.h"
#include "fuzz/page_check.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/example_file.h"

namespace {

const std::filesystem::path kSourceRoot = std::filesystem::path(PORUKANO_EXAMPLES_DIR) / "../..";
const char* const kPackageTexts[] = {"/usr/share/doc/maint-guide-ja/maint-guide.ja.txt.gz",
                                     "/usr/share/doc/debian/FAQ/debian-faq.ja.txt.gz"};

// The UTF-8 text of a gzip file, through the system's gzip.
std::string Gunzip(const char* path) {
    const std::string command = std::string("gzip -dc '") + path + "'";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    std::string text;
    if (!pipe)
        return text;
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;)
        text.append(buffer, n);
    return text;
}

// The prose as a Shift_JIS file with CR LF: the corpus file, or the packages' text with the few
// lines that hold a character without a CP932 form left out. Empty when there is none.
std::string ProseText() {
    const std::filesystem::path corpus = kSourceRoot / "build-bench/corpus/prose-base.txt";
    if (std::filesystem::exists(corpus))
        return ReadFileBytes(corpus.string());
    std::string text;
    for (const char* path : kPackageTexts) {
        if (!std::filesystem::exists(path))
            return {};
        SplitLines(Gunzip(path), [&](std::string_view line) {
            if (const std::optional<std::string> sjis = Utf8ToSjis(line))
                text += *sjis + "\r\n";
        });
    }
    return text;
}

class TProseProperty : public testing::Test {
  protected:
    void SetUp() override {
        prose_ = ProseText();
        if (prose_.empty())
            GTEST_SKIP() << "neither build-bench/corpus/prose-base.txt nor maint-guide-ja and "
                            "debian-faq-ja are installed (scripts/install-deps bench)";
        WriteFileBytes(f_.Dir.File("prose.txt"), prose_);
        TLineReader reader(f_.Dir.File("prose.txt"));
        for (std::string line; reader.Next(line);)
            input_.push_back(line);
    }

    // Converts the prose with the window as it is and checks every line of the page.
    void CheckProperty() {
        bool images = false;
        ASSERT_TRUE(
            ConvertTextFile(f_.Env, f_.Dir.File("prose.txt"), f_.Dir.File("prose.htm"), images));
        EXPECT_TRUE(f_.Platform.Messages.empty());
        const TStrInfo s = f_.Gather();
        std::array<std::string, 5> tags;
        for (std::size_t n = 0; n < tags.size(); ++n)
            tags[n] = UsableEmphasisTag(s.Strong[n]);
        const std::string page = ReadFileBytes(f_.Dir.File("prose.htm"));
        if (s.AddTagMode != TAddTagMode::LineBreaksOnly) {
            EXPECT_EQ(CheckDocumentHead(page.substr(0, page.find("</head>") + 7)), "");
        }
        const std::vector<std::string> body = BodyLines(page);
        ASSERT_GE(body.size(), input_.size());
        std::cout << "prose: " << input_.size() << " lines\n";
        int failures = 0;
        for (std::size_t n = 0; n < input_.size() && failures < 10; ++n) {
            const std::string problem = CheckBodyLine(body[n], tags);
            const bool ruleLine = body[n].find("<hr") != std::string::npos;
            const std::string raw = s.KanaWidening ? WidenKatakana(input_[n]) : input_[n];
            const bool sameText =
                ruleLine || PageTextApartFromBlanks(body[n]) == InputTextApartFromBlanks(raw);
            if (!problem.empty() || !sameText) {
                ++failures;
                ADD_FAILURE() << "line " << n + 1 << ": " << problem
                              << "\n  input: " << SjisToUtf8(input_[n])
                              << "\n  page:  " << SjisToUtf8(body[n]);
            }
        }
    }

    TEngineFixture f_;
    std::string prose_;
    std::vector<std::string> input_;
};

}  // namespace

TEST_F(TProseProperty, WithTheSettingsOfAFreshWindow) {
    CheckProperty();
}

TEST_F(TProseProperty, WithEveryStageAndEveryKeywordKind) {
    THeadlessForm& form = *f_.Form;
    form.SetItemIndex("rdgrpAddTag", 2);
    form.SetItemIndex("rdgTabSpace", 1);
    form.SetChecked("chkKanaChange", true);
    form.SetText("edtHolMark1", "-");
    form.SetText("edtHolMarkCnt1", "3");
    form.SetText("edtHolMark2", "=");
    form.SetText("edtHolMarkCnt2", "2");
    form.SetText("edtKeyword3", Sjis("Debian,パッケージ,&,;,a"));
    form.SetItemIndex("cmbKeyKbn3", 2);
    form.SetChecked("chkSpaceDisenable3", false);
    form.SetText("edtKeyword4", Sjis("「*」,(*),\",'"));
    form.SetItemIndex("cmbKeyKbn4", 3);
    form.SetText("edtKeyword5", "m/[A-Za-z]+/g,m/[0-9.]+/,t");
    form.SetItemIndex("cmbKeyKbn5", 4);
    form.SetText("edtKeyword2", Sjis("注意"));
    form.SetItemIndex("cmbKeyKbn2", 1);
    form.SetText("edtTag2", "div");
    CheckProperty();
}

TEST_F(TProseProperty, InTheBreakOnlyMode) {
    f_.Form->SetItemIndex("rdgrpAddTag", 0);
    CheckProperty();
}
