// A file converted with its lines read on a thread of their own, or with its line stages run on
// threads of their own, gives the page, the messages and the progress display of the same
// conversion on one thread, in every input encoding, with every setting and however the
// conversion ends; the platform is only ever called on the converting thread.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <thread>
#include <vector>

#include "engine/page/converter.h"
#include "engine/text/encoding.h"
#include "tests/engine/encoding_fixture.h"

namespace {

// Records on which threads the engine called the platform, and the progress shown at each
// repaint.
class TThreadCheckingPlatform : public TScriptedPlatform {
  public:
    TMessageButton ShowMessage(TMessageKind kind, std::string_view text,
                               unsigned buttons) override {
        Note();
        return TScriptedPlatform::ShowMessage(kind, text, buttons);
    }
    void SetBusyCursor(bool busy) override {
        Note();
        TScriptedPlatform::SetBusyCursor(busy);
    }
    void Note() {
        if (std::this_thread::get_id() != owner_)
            ++OtherThreadCalls;
    }
    int OtherThreadCalls = 0;

  private:
    std::thread::id owner_ = std::this_thread::get_id();
};

struct TConversion : TEngineFixture {
    TThreadCheckingPlatform Checking;
    TEngineEnv CheckedEnv{*Form, Checking, State};
    std::vector<std::string> Progress;  // the label at each repaint
    TConversionEncodings Used;

    // Threaded (the file's size does not matter) with that many threads for the line stages,
    // where 1 reads ahead only; not threaded at all with 0.
    explicit TConversion(unsigned stageThreads) {
        CheckedEnv.ReadAheadFrom =
            stageThreads > 0 ? 0 : std::numeric_limits<std::uintmax_t>::max();
        CheckedEnv.LineStageThreads = stageThreads;
        CheckedEnv.ProgressInterval = std::chrono::milliseconds(0);
        Checking.OnRepaint = [this] {
            Checking.Note();
            Progress.push_back(Form->Text("lblProcess"));
        };
    }

    // The page of input converted with the encoding choices (indexes of cmbInputEncoding and
    // cmbOutputEncoding) into output (a file of the test's folder unless named); "" on failure.
    std::string Convert(std::string_view input, int inputChoice, int outputChoice,
                        std::string output = "") {
        Form->SetItemIndex("cmbInputEncoding", inputChoice);
        Form->SetItemIndex("cmbOutputEncoding", outputChoice);
        WriteFileBytes(Dir.File("in.txt"), input);
        if (output.empty())
            output = Dir.File("out.htm");
        bool images = false;
        if (!ConvertTextFile(CheckedEnv, Dir.File("in.txt"), output, images, Used))
            return "";
        return ReadFileBytes(output);
    }
};

// The same conversion on one thread, with the reading ahead, and with the line stages on two
// threads; all must agree in everything the user sees.
struct TBoth {
    TConversion Here{0};
    TConversion Ahead{1};
    TConversion Staged{2};
    std::vector<std::string> LastMessages;  // of the last conversion (line stages on threads)

    template <typename Setup>
    void Set(Setup&& setup) {
        for (TConversion* c : {&Here, &Ahead, &Staged})
            setup(*c->Form);
    }
    // Converts in all three and checks they agree; the page.
    std::string Convert(const std::string& name, std::string_view input, int inputChoice,
                        int outputChoice, const std::string& output = "") {
        const std::string here = Here.Convert(input, inputChoice, outputChoice, output);
        std::string page;
        for (TConversion* c : {&Ahead, &Staged}) {
            const std::string how = name + (c == &Ahead ? ", read ahead" : ", stages on threads");
            page = c->Convert(input, inputChoice, outputChoice, output);
            EXPECT_TRUE(here == page) << how << ": the pages differ";
            EXPECT_EQ(c->Checking.MessageTexts(), Here.Checking.MessageTexts()) << how;
            EXPECT_EQ(c->Progress, Here.Progress) << how;
            EXPECT_EQ(c->Used.Input, Here.Used.Input) << how;
            EXPECT_EQ(c->Used.Page, Here.Used.Page) << how;
            EXPECT_EQ(c->Checking.OtherThreadCalls, 0) << how;
        }
        EXPECT_EQ(Here.Checking.OtherThreadCalls, 0) << name;
        LastMessages = Staged.Checking.MessageTexts();
        for (TConversion* c : {&Here, &Ahead, &Staged}) {
            c->Checking.Messages.clear();
            c->Progress.clear();
        }
        return page;
    }
};

// Japanese prose of about bytes bytes of UTF-8, where characters Shift_JIS lacks (each a
// stand-in) and a ruby notation over one of them first show up batch after batch, past the
// first.
std::string ProseWithLateStandIns(std::size_t bytes) {
    const char* const rare[] = {"😀", "〜", "丂", "🍣", "\xEE\x80\x81" /* U+E001 */, "𠮷"};
    std::string text;
    for (std::size_t k = 0; text.size() < bytes; ++k) {
        text += k % 4 == 0 ? "　吾輩は猫である。名前はまだ無い。"
                           : "どこで生れたかとんと見当がつかぬ。";
        if (k % 900 == 450)
            text += rare[(k / 900) % std::size(rare)];
        if (k % 1300 == 700)
            text += "𠮷野《よしの》の桜";
        text += k % 2 ? "\r\n" : "\n";
    }
    return text;
}

}  // namespace

TEST(ReadAheadConversion, EveryInputEncodingGivesThePageOfOneThread) {
    const std::string utf8 = ProseWithLateStandIns(600 * 1024);
    // The text without the characters JIS X 0208 lacks, for the encodings that lack them.
    std::string jis = utf8;
    for (const char* rare : {"😀", "〜", "丂", "🍣", "\xEE\x80\x81", "𠮷"}) {
        for (std::size_t at; (at = jis.find(rare)) != std::string::npos;)
            jis.replace(at, std::string_view(rare).size(), "");
    }
    // The input choices: 0 Auto, 1 Shift_JIS, 2 UTF-8, 3 EUC-JP, 4 ISO-2022-JP, 5 UTF-16LE,
    // 6 UTF-16BE; the page choices: 0 as the input, 1 Shift_JIS, 2 UTF-8, 3 EUC-JP.
    const struct {
        const char* name;
        std::string bytes;
        int input;
        int page;
    } cases[] = {
        {"Shift_JIS, named", InEncoding(jis, "CP932"), 1, 0},
        {"Shift_JIS, Auto, UTF-8 page", InEncoding(jis, "CP932"), 0, 2},
        {"UTF-8, Auto", utf8, 0, 0},
        {"UTF-8, named, Shift_JIS page", utf8, 2, 1},
        {"UTF-8, named, EUC-JP page", utf8, 2, 3},
        {"EUC-JP", InEncoding(jis, "EUC-JP-MS"), 3, 0},
        {"ISO-2022-JP", InEncoding(jis, "ISO-2022-JP-2"), 4, 0},
        {"UTF-16LE", InEncoding("\xEF\xBB\xBF" + utf8, "UTF-16LE"), 5, 0},
        {"UTF-16BE", InEncoding(utf8, "UTF-16BE"), 6, 0},
    };
    for (const bool ruby : {false, true}) {
        TBoth both;
        both.Set([&](TForm& form) { form.SetChecked("chkRubyNotation", ruby); });
        for (const auto& c : cases) {
            const std::string name = std::string(c.name) + (ruby ? ", ruby" : "");
            const std::string page = both.Convert(name, c.bytes, c.input, c.page);
            EXPECT_TRUE(page.ends_with("</html>\r\n")) << name;
            EXPECT_GE(both.Staged.Checking.Repaints, 100) << name << ": every percentage shown";
        }
    }
    // The Aozora notation's named characters are handed stand-ins by the line stages, which
    // the reading thread must not race: still the same page.
    TBoth both;
    both.Set([](TForm& form) { form.SetChecked("chkAozoraNotation", true); });
    both.Convert("Aozora notation, UTF-8", utf8 + "※［＃「土へん＋竒」、第3水準1-15-73］\r\n", 2,
                 0);
}

TEST(ReadAheadConversion, AGuessDisprovedLateStartsAgainAsShiftJis) {
    // Valid UTF-8 for a megabyte, then a line of Shift_JIS: under Auto the page is begun again
    // from the start as Shift_JIS, as the text named Shift_JIS gives it.
    const std::string input =
        ProseWithLateStandIns(1 << 20) + InEncoding("名前はまだ無い。\r\n", "CP932");
    TBoth both;
    const std::string page = both.Convert("disproved", input, 0, 0);
    EXPECT_EQ(both.Staged.Used.Input, TTextEncoding::ShiftJis);
    const std::string named = both.Convert("named", input, 1, 0);
    EXPECT_TRUE(page == named) << "the page differs from the text read as Shift_JIS";
}

TEST(ReadAheadConversion, AConversionEndedInTheMiddleStopsTheReading) {
    // A page that cannot be written ends the conversion at its first line; the reading thread
    // is stopped and waited for, and the failure is shown once, as on one thread.
    const std::string utf8 = ProseWithLateStandIns(800 * 1024);
    TBoth both;
    for (const int input : {1, 2}) {
        const std::string bytes = input == 1 ? InEncoding("吾輩は猫である。\r\n", "CP932") : utf8;
        std::string big;
        while (big.size() < 800 * 1024)
            big += bytes;
        EXPECT_EQ(both.Convert("a full disk", big, input, 0, "/dev/full"), "");
        ASSERT_EQ(both.LastMessages.size(), 1u);
        EXPECT_NE(both.LastMessages[0].find("書き込み"), std::string::npos) << both.LastMessages[0];
    }
    // The same conversion into a folder of its own afterwards still works in full.
    const std::string page = both.Convert("after the failure", utf8, 2, 0);
    EXPECT_NE(page.find("</html>"), std::string::npos);
}

TEST(ReadAheadConversion, StagedLinesGiveThePageOfOneThreadWithEverySetting) {
    // Prose with what each stage acts on, blank lines single and in runs, a stretch without
    // any, control characters first on a line far into the text, and a line longer than a
    // batch of lines may be.
    std::string text;
    while (text.size() < 200 * 1024)
        text += "　吾輩は猫である。名前はまだ無い。\r\nどこで生れたかとんと見当がつかぬ。\n\r\n";
    for (int k = 0; k < 3000; ++k) {
        text += k % 7 == 0   ? "\r\n"
                : k % 7 == 1 ? "○見出し 12 番\r\n"
                             : "　「注意」 http://a.example/x 重要\r\n";
        if (k % 500 == 499)
            text += "-----\r\n\r\n\r\n";
    }
    text += "制御\x01文字\r\n" + std::string(300 * 1024, 'x') + "\x02\r\n";
    for (int k = 0; k < 40000; ++k)
        text += "------\r\n";
    for (int k = 0; k < 4000; ++k)
        text += "続く行 " + std::to_string(k) + "\r\n";
    const std::string sjis = InEncoding(text, "CP932");
    const struct {
        const char* name;
        void (*setup)(TForm&);
    } settings[] = {
        {"initial settings", [](TForm&) {}},
        {"every stage",
         [](TForm& f) {
             f.SetText("edtHolMark1", "-");
             f.SetText("edtHolMarkCnt1", "3");
             f.SetText("edtKeyword2", Sjis("注意,重要"));
             f.SetItemIndex("cmbKeyKbn2", 1);
             f.SetItemIndex("cmbKeyWhat2", 1);
             f.SetText("edtKeyword4", Sjis("「*」"));
             f.SetItemIndex("cmbKeyKbn4", 3);
             f.SetText("edtKeyword5", "m/[0-9]+/g");
             f.SetItemIndex("cmbKeyKbn5", 4);
             f.SetChecked("chkKanaChange", true);
             f.SetChecked("chkVerticalWriting", true);
             f.SetChecked("chkRubyNotation", true);
         }},
        {"line breaks only", [](TForm& f) { f.SetItemIndex("rdgrpAddTag", 1); }},
        {"divisions", [](TForm& f) { f.SetItemIndex("rdgrpAddTag", 2); }},
        {"no tags", [](TForm& f) { f.SetItemIndex("rdgrpAddTag", -1); }},
        // A rule line ends the paragraph around it, and the next line of text begins another:
        // the state after such a line is not the usual one, so the batches that start behind
        // one are finished on the converting thread.
        {"rule lines", [](TForm& f) { f.SetText("edtHolMark1", "-"); }},
    };
    for (const auto& setting : settings) {
        TBoth both;
        both.Set(setting.setup);
        both.Convert(setting.name, sjis, 1, 0);
        ASSERT_EQ(both.LastMessages.size(), 1u) << setting.name;
        EXPECT_NE(both.LastMessages[0].find(std::to_string(
                      std::count(text.begin(), text.begin() + text.find('\x01'), '\n') + 1)),
                  std::string::npos)
            << setting.name << ": " << both.LastMessages[0];
        both.Convert(std::string(setting.name) + ", UTF-8", text, 2, 2);
    }
}

TEST(ReadAheadConversion, ASearchCutShortOnSeveralThreadsIsToldOnce) {
    // Each line is a batch of its own, so both stage threads cut a search of their own short;
    // the user is told once, as by one thread.
    std::string text;
    for (int k = 0; k < 2; ++k)
        text += std::string(70 * 1024, 'a') + "\r\n";
    TBoth both;
    both.Set([](TForm& f) {
        f.SetText("edtKeyword5", "m/(a+)\\1*b/");
        f.SetItemIndex("cmbKeyKbn5", 4);
    });
    both.Convert("cut short", text, 1, 0);
    ASSERT_EQ(both.LastMessages.size(), 1u);
    EXPECT_NE(both.LastMessages[0].find("打ち切"), std::string::npos) << both.LastMessages[0];
}
