// The preview page: what it converts (the input file or the sample), when it is rebuilt, what the
// web view shows of the Shift_JIS page, and that no link in it is followed.
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QtTest/QTest>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "commands/preview_files.h"
#include "engine/base/settings_model.h"
#include "engine/text/encoding.h"
#include "settings/settings_file.h"
#include "tests/ui/program_fixture.h"
#include "ui/file_change_watcher.h"
#include "ui/preview.h"
#include "ui/preview_web_page.h"

namespace {

constexpr int kWaitMs = 20000;
constexpr int kPreviewIndex = 9;

class TPreviewTest : public TProgramTest {
  protected:
    void SetUp() override { Start(); }

    QWebEngineView* View() { return program_->Preview().WebView(); }
    // The preview's files, in the window's private folder (made by the first call).
    std::string Source() { return PreviewFilesIn(Main().PreviewFolder().Path()).Source; }
    std::string Page() { return PreviewFilesIn(Main().PreviewFolder().Path()).Page; }

    // Runs change (which should start a load of the preview) and waits for the load to end.
    ::testing::AssertionResult Loads(const std::function<void()>& change) {
        QSignalSpy finished(&program_->Preview(), &TPreview::loadFinished);
        change();
        if (finished.isEmpty() && !finished.wait(kWaitMs))
            return ::testing::AssertionFailure() << "no page was loaded";
        if (!finished.takeFirst().at(0).toBool())
            return ::testing::AssertionFailure() << "the page did not load";
        return ::testing::AssertionSuccess();
    }
    ::testing::AssertionResult ShowPreviewPage() {
        return Loads([this] { Main().Pages()->setCurrentIndex(kPreviewIndex); });
    }
    void ShowFirstPage() { Main().Pages()->setCurrentIndex(0); }

    // The value of a script run in the shown page.
    QVariant Evaluate(const QString& script) {
        QVariant result;
        bool done = false;
        View()->page()->runJavaScript(script, [&](const QVariant& value) {
            result = value;
            done = true;
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, kWaitMs)) << script.toStdString();
        return result;
    }
    // The text the page shows; the converter writes every blank as a no-break space.
    std::string PageText() {
        return Evaluate("document.body.innerText")
            .toString()
            .replace(QChar(0xA0), ' ')
            .toStdString();
    }
    std::string MemoText() {
        return Control<QPlainTextEdit>("memPreview")->toPlainText().toStdString();
    }
    std::string SourceText() {
        std::string text = ReadAsUtf8(Source());
        for (std::size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos;)
            text.erase(at, 1);
        return text;
    }
};

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST_F(TPreviewTest, PageHoldsTheViewTheSourceAndTheCheckBox) {
    auto* box = Control<QCheckBox>("chkPreviewFromCnvFile");
    EXPECT_EQ(box->text(), "実際に変換するファイルをプレビューに使う");
    EXPECT_EQ(box->toolTip(), "時間がかかるときはチェックを外してください。");
    EXPECT_TRUE(box->isChecked());
    auto* memo = Control<QPlainTextEdit>("memPreview");
    EXPECT_TRUE(memo->isReadOnly());
    bool captioned = false;
    for (const QLabel* label : Main().PreviewPage()->findChildren<QLabel*>())
        captioned =
            captioned || (label->text() == "↓元のテキストファイル" && label->buddy() == memo);
    EXPECT_TRUE(captioned);
    // Nothing is built before the page is shown, not even the folder, and the web engine has
    // not started: the window comes up without it.
    EXPECT_TRUE(std::filesystem::is_empty(runtime_));
    EXPECT_EQ(View(), nullptr);
    EXPECT_TRUE(Main().findChildren<QWebEngineView*>().isEmpty());
    EXPECT_TRUE(program_->Preview().findChildren<QWebEngineProfile*>().isEmpty());
    ASSERT_TRUE(ShowPreviewPage());
    ASSERT_NE(View(), nullptr);
    EXPECT_EQ(Main().findChild<QWebEngineView*>("wbrwsPreview"), View());
    EXPECT_TRUE(View()->isVisible());
}

TEST_F(TPreviewTest, TheFilesLiveInAFolderOfThisRunForItsUserAlone) {
    ASSERT_TRUE(ShowPreviewPage());
    const std::string folder = Main().PreviewFolder().Path();
    EXPECT_EQ(folder.rfind(runtime_ + "porukano-preview-", 0), 0u) << folder;
    EXPECT_EQ(std::filesystem::status(folder).permissions(), std::filesystem::perms::owner_all);
    EXPECT_TRUE(FileExists(Source()));
    EXPECT_EQ(View()->url(), PreviewUrl(Page()));
    // Nothing of the preview lands in the folder of the program's files.
    EXPECT_FALSE(FileExists(home_.File(kPreviewSourceName)));
    EXPECT_FALSE(FileExists(home_.File(kPreviewPageName)));
    // The end of the program takes the folder with it, whichever way it ended.
    program_.reset();
    EXPECT_FALSE(FileExists(folder));
    EXPECT_TRUE(std::filesystem::is_empty(runtime_));
}

TEST_F(TPreviewTest, SampleStandsInForAMissingInputAndForAnUntickedBox) {
    Main().SetInputPath(QString::fromStdString(home_.File("missing.txt")));
    ASSERT_TRUE(ShowPreviewPage());
    EXPECT_TRUE(platform_.Messages.empty());
    const std::string sample = SourceText();
    EXPECT_TRUE(Contains(sample, "\n    ○強調1が存在する行\nあいうえお かきくけこ さしすせそ\n"))
        << sample;
    EXPECT_EQ(MemoText(), sample);
    EXPECT_EQ(View()->url(), PreviewUrl(Page()));
    // The view shows the converted page, Japanese text and emphasis included.
    EXPECT_TRUE(
        Contains(PageText(), "「ポルカノＨＴＭＬ変換」をお使いいただきありがとうございます。"))
        << PageText();
    EXPECT_EQ(Evaluate("document.querySelector('span.strong1').textContent").toString(),
              "○強調1が存在する行");
    EXPECT_EQ(Evaluate("getComputedStyle(document.querySelector('span.strong1')).color").toString(),
              "rgb(255, 0, 0)");

    // An existing input file is not used while the box is unticked.
    WriteSjisLines(home_.File("input.txt"), {"入力ファイルの行"});
    Main().SetInputPath(QString::fromStdString(home_.File("input.txt")));
    Tick(Control<QCheckBox>("chkPreviewFromCnvFile"));
    ShowFirstPage();
    ASSERT_TRUE(ShowPreviewPage());
    EXPECT_EQ(SourceText(), sample);
    EXPECT_FALSE(Contains(PageText(), "入力ファイルの行"));
    EXPECT_TRUE(platform_.Messages.empty());
}

TEST_F(TPreviewTest, TickedBoxShowsACopyOfTheInputFile) {
    // Mostly ASCII with a few Japanese characters: the page must still be read as Shift_JIS.
    const std::string ascii(2000, 'a');
    const std::string input = home_.File("input.txt");
    WriteSjisLines(input, {ascii, "ｱｲｳｴｵ 漢字とカナ", "・二つ目の規則の行", ""});
    const std::string bytes = ReadFileBytes(input);
    Main().SetInputPath(QString::fromStdString(input));
    ASSERT_TRUE(ShowPreviewPage());
    EXPECT_EQ(ReadFileBytes(Source()), bytes);
    EXPECT_EQ(MemoText(), ascii + "\nｱｲｳｴｵ 漢字とカナ\n・二つ目の規則の行\n\n");
    const std::string shown = PageText();
    EXPECT_TRUE(Contains(shown, "ｱｲｳｴｵ 漢字とカナ")) << shown.substr(shown.size() - 100);
    EXPECT_FALSE(Contains(shown, "強調1"));
    EXPECT_EQ(Evaluate("document.querySelector('span.strong2').textContent").toString(),
              "・二つ目の規則の行");
    // The page file is the one the converter wrote for the copy.
    EXPECT_TRUE(Contains(ReadAsUtf8(Page()), "<span class=\"strong2\">・二つ目の規則の行</span>"));
    EXPECT_TRUE(platform_.Messages.empty());
}

TEST_F(TPreviewTest, AUtf8FileShowsItsEncodingAndPreviewsAsItsOwnText) {
    const std::string input = home_.File("utf8.txt");
    const std::string first = "○UTF-8の見出し";
    const std::string second = "Shift_JIS にない文字：〜 − ♡ 😀 𠮷";
    WriteFileBytes(input, first + "\n" + second + "\n");
    Drop(Main(), {input});
    EXPECT_EQ(Control<QLabel>("lblInputEncoding")->text().toStdString(),
              "文字コード: UTF-8（自動判別）");
    ASSERT_TRUE(ShowPreviewPage());
    EXPECT_EQ(MemoText(), first + "\n" + second + "\n");
    // The page is UTF-8, served as such, and reads as the text itself.
    EXPECT_TRUE(Contains(ReadFileBytes(Page()), "charset=UTF-8"));
    EXPECT_EQ(
        Evaluate("document.querySelector('span.strong1').textContent").toString().toStdString(),
        first);
    EXPECT_TRUE(Contains(PageText(), second)) << PageText();
    EXPECT_TRUE(platform_.Messages.empty());
}

TEST_F(TPreviewTest, RebuiltWhenShownAndAfterALoadWhileShowingOnly) {
    // A settings file whose third rule has a keyword.
    TStrInfo settings;
    ASSERT_TRUE(GatherSettings(Main().Form(), platform_, settings));
    settings.Strong[2].Keywords = Sjis("◆");
    const std::string settingsFile = home_.File("three.prkn");
    ASSERT_TRUE(SaveSettingsFile(Main().SettingsEnv(), settingsFile, settings));

    ASSERT_TRUE(ShowPreviewPage());
    EXPECT_FALSE(Contains(SourceText(), "◆強調3"));
    const auto removeFiles = [this] {
        std::filesystem::remove(Source());
        std::filesystem::remove(Page());
    };

    // A setting changed while the page shows does not rebuild it.
    removeFiles();
    Main().Form().SetText("edtKeyword4", Sjis("★"));
    QTest::qWait(50);
    EXPECT_FALSE(FileExists(Source()));
    EXPECT_FALSE(FileExists(Page()));

    // Loading a settings file while it shows does.
    ASSERT_TRUE(Loads([&] { Drop(Main(), {settingsFile}); }));
    EXPECT_TRUE(Contains(SourceText(), "◆強調3が存在する行")) << SourceText();
    EXPECT_TRUE(Contains(PageText(), "◆強調3が存在する行"));

    // Loading while another page shows does not; showing the page again does.
    ShowFirstPage();
    removeFiles();
    Drop(Main(), {settingsFile});
    QTest::qWait(50);
    EXPECT_FALSE(FileExists(Source()));
    ASSERT_TRUE(ShowPreviewPage());
    EXPECT_TRUE(FileExists(Source()));
    EXPECT_TRUE(FileExists(Page()));
    EXPECT_TRUE(platform_.Messages.empty());
}

TEST_F(TPreviewTest, SourceThatCannotBeWrittenWarnsAndKeepsThePage) {
    ASSERT_TRUE(ShowPreviewPage());
    const std::string before = PageText();
    ShowFirstPage();
    // A folder in the source's place: neither the sample nor a copy can be written there.
    std::filesystem::remove(Source());
    std::filesystem::create_directories(Source() + "/inside");
    const std::string input = home_.File("input.txt");
    for (const std::string& inputPath : {std::string(), input}) {
        WriteSjisLines(input, {"入力"});
        Main().SetInputPath(QString::fromStdString(inputPath));
        platform_.Messages.clear();
        Main().Pages()->setCurrentIndex(kPreviewIndex);
        ASSERT_EQ(platform_.Messages.size(), 1u) << inputPath;
        EXPECT_EQ(platform_.Messages[0].Kind, TMessageKind::Warning);
        EXPECT_EQ(SjisToUtf8(platform_.Messages[0].Text), "プレビューが作成できません");
        EXPECT_EQ(platform_.Messages[0].Buttons, unsigned{mbOK});
        EXPECT_EQ(PageText(), before);
        ShowFirstPage();
    }
}

TEST_F(TPreviewTest, FailedConversionIsTheDriversToReport) {
    // A folder in the page's place: the driver cannot write the page and says so; the view then
    // shows that there is no page, and the guard has nothing to say about it.
    std::filesystem::create_directories(Page() + "/inside");
    QSignalSpy finished(&program_->Preview(), &TPreview::loadFinished);
    Main().Pages()->setCurrentIndex(kPreviewIndex);
    ASSERT_TRUE(finished.wait(kWaitMs));
    ASSERT_EQ(platform_.Messages.size(), 1u);
    // The driver names the page, which is what failed.
    EXPECT_EQ(
        SjisToUtf8(platform_.Messages[0].Text),
        "以下のファイルのオープンに失敗しました。\r\n\t" + Page() +
            "\r\n現存するファイルか確認してください。\r\n理由: 同じ名前のフォルダーがあります。");
    QTest::qWait(200);
    EXPECT_EQ(platform_.Messages.size(), 1u);
    EXPECT_EQ(View()->url(), PreviewUrl(Page()));
    // The source was written, and the memo shows it.
    EXPECT_EQ(MemoText(), SourceText());
}

TEST_F(TPreviewTest, LinksInThePreviewAreNotFollowed) {
    // The preview folder's name has a blank and Japanese characters: the preview's own address
    // must still pass.
    const std::string runtime = home_.File("プレ ビュー/");
    std::filesystem::create_directories(runtime);
    const TEnvironmentVariable variable("XDG_RUNTIME_DIR", runtime);
    program_.reset();
    Start();
    const std::string input = home_.File("links.txt");
    WriteSjisLines(input,
                   {"案内 http://www.example.com/ はこちら", "連絡先 someone@example.com まで"});
    Main().SetInputPath(QString::fromStdString(input));
    ASSERT_TRUE(ShowPreviewPage());
    ASSERT_EQ(Page().rfind(runtime, 0), 0u) << Page();
    ASSERT_TRUE(FileExists(Page()));
    EXPECT_TRUE(platform_.Messages.empty());
    const QUrl own = PreviewUrl(Page());
    ASSERT_EQ(View()->url(), own);
    ASSERT_EQ(Evaluate("document.links.length").toInt(), 2);

    for (int link = 0; link < 2; ++link) {
        platform_.Messages.clear();
        Evaluate(QString("document.links[%1].click(); true").arg(link));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !platform_.Messages.empty(); }, kWaitMs)) << link;
        EXPECT_EQ(platform_.Messages.size(), 1u);
        EXPECT_EQ(platform_.Messages[0].Kind, TMessageKind::Information);
        EXPECT_EQ(SjisToUtf8(platform_.Messages[0].Text),
                  "このリンクはわざと外へはつなげていません（＾＾；");
        EXPECT_EQ(platform_.Messages[0].Buttons, unsigned{mbOK});
        EXPECT_EQ(View()->url(), own);
        EXPECT_TRUE(Contains(PageText(), "案内"));
    }
    // A rebuild of the same page passes the guard again.
    platform_.Messages.clear();
    ShowFirstPage();
    ASSERT_TRUE(ShowPreviewPage());
    EXPECT_TRUE(platform_.Messages.empty());
}

TEST_F(TPreviewTest, FileDroppedOnTheWebViewBecomesTheInput) {
    ASSERT_TRUE(ShowPreviewPage());
    const std::string input = home_.File("dropped.txt");
    WriteSjisLines(input, {"落とした"});
    QWidget* target = View()->focusProxy();
    ASSERT_NE(target, nullptr);
    Drop(*target, {input});
    EXPECT_EQ(Main().InputPath().toStdString(), input);
    EXPECT_TRUE(platform_.Messages.empty());
}

// A story of many lines, long enough to scroll, ending with the line given.
std::string LongStory(const std::string& last) {
    std::string text;
    for (int line = 1; line <= 300; ++line)
        text += "○" + std::to_string(line) + "行目の文章\n";
    return text + last + "\n";
}

// Writes the bytes into the file that is there, as an editor that saves in place does.
void RewriteInPlace(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::in | std::ios::out | std::ios::trunc);
    file << bytes;
}

TEST_F(TPreviewTest, ShowsAnotherInputFileAsSoonAsItIsChosen) {
    const std::string first = home_.File("first.txt");
    const std::string second = home_.File("second.txt");
    WriteSjisLines(first, {"一つ目のファイル"});
    WriteFileBytes(second, "二つ目のファイル（UTF-8）\n");
    Drop(Main(), {first});
    ASSERT_TRUE(ShowPreviewPage());
    EXPECT_TRUE(Contains(PageText(), "一つ目のファイル"));

    ASSERT_TRUE(Loads([&] { Drop(Main(), {second}); }));
    EXPECT_EQ(Control<QLabel>("lblInputEncoding")->text().toStdString(),
              "文字コード: UTF-8（自動判別）");
    EXPECT_TRUE(Contains(PageText(), "二つ目のファイル（UTF-8）")) << PageText();
    EXPECT_EQ(MemoText(), "二つ目のファイル（UTF-8）\n");

    // A file chosen while another page shows is shown when the preview is.
    ShowFirstPage();
    std::filesystem::remove(Source());
    Drop(Main(), {first});
    QTest::qWait(50);
    EXPECT_FALSE(FileExists(Source()));
    ASSERT_TRUE(ShowPreviewPage());
    EXPECT_TRUE(Contains(PageText(), "一つ目のファイル"));
    EXPECT_TRUE(platform_.Messages.empty());
}

TEST_F(TPreviewTest, FollowsTheFileOnDiskWhereverTheViewsWereScrolled) {
    const std::string input = home_.File("story.txt");
    WriteFileBytes(input, LongStory("最初の版"));
    Drop(Main(), {input});
    ASSERT_TRUE(ShowPreviewPage());
    ASSERT_TRUE(Contains(PageText(), "最初の版"));
    EXPECT_EQ(Evaluate("window.scrollTo(0, 400); window.scrollY").toInt(), 400);
    QScrollBar* memoBar = Control<QPlainTextEdit>("memPreview")->verticalScrollBar();
    memoBar->setValue(120);
    ASSERT_EQ(memoBar->value(), 120);

    // Each change must reach the preview's copy of the source within a second of being made,
    // and the page that follows is where the last one was.
    const auto follows = [&](const std::string& version, const std::function<void()>& change) {
        QSignalSpy finished(&program_->Preview(), &TPreview::loadFinished);
        change();
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return Contains(ReadFileBytes(Source()), version); }, 1000))
            << version;
        ASSERT_TRUE(finished.wait(kWaitMs) || !finished.isEmpty()) << version;
        EXPECT_TRUE(finished.takeFirst().at(0).toBool());
        EXPECT_TRUE(Contains(PageText(), version)) << version;
        EXPECT_TRUE(Contains(MemoText(), version)) << version;
        EXPECT_EQ(Evaluate("window.scrollY").toInt(), 400) << version;
        EXPECT_EQ(memoBar->value(), 120) << version;
    };
    follows("書き直した版", [&] { RewriteInPlace(input, LongStory("書き直した版")); });
    // An editor's save: a new file renamed over the old one. The file is watched again after
    // it, so a later change in place is seen too.
    follows("入れ替えた版", [&] {
        WriteFileBytes(input + ".tmp", LongStory("入れ替えた版"));
        std::filesystem::rename(input + ".tmp", input);
    });
    follows("もう一度書き直した版",
            [&] { RewriteInPlace(input, LongStory("もう一度書き直した版")); });
    // An editor that keeps a backup: the file moved aside, a new one written in its place.
    follows("控えを残した版", [&] {
        std::filesystem::rename(input, input + "~");
        WriteFileBytes(input, LongStory("控えを残した版"));
    });
    follows("控えの後で書き直した版",
            [&] { RewriteInPlace(input, LongStory("控えの後で書き直した版")); });
    // A file gone for a while leaves the page as it was (not the sample), and is shown again
    // once it is back: only the folder can tell that.
    follows("戻ってきた版", [&] {
        std::filesystem::remove(input);
        QTest::qWait(3 * TFileChangeWatcher::kSettleMs);
        EXPECT_TRUE(Contains(ReadFileBytes(Source()), "控えの後で書き直した版"));
        WriteFileBytes(input, LongStory("戻ってきた版"));
    });

    // Other files of the folder changing, such as the page converted beside the text, leave the
    // preview alone; so does the file changing while another page shows.
    std::filesystem::remove(Source());
    WriteFileBytes(home_.File("story.htm"), "<p>page</p>");
    QTest::qWait(3 * TFileChangeWatcher::kSettleMs);
    EXPECT_FALSE(FileExists(Source()));
    ShowFirstPage();
    RewriteInPlace(input, LongStory("見ていない間の版"));
    QTest::qWait(3 * TFileChangeWatcher::kSettleMs);
    EXPECT_FALSE(FileExists(Source()));
    ASSERT_TRUE(ShowPreviewPage());
    EXPECT_TRUE(Contains(PageText(), "見ていない間の版"));
    EXPECT_TRUE(platform_.Messages.empty());
}

TEST(PreviewCreation, MissingWebEngineShowsTheCreationError) {
    const char* const variable = "QTWEBENGINEPROCESS_PATH";
    const char* const old = std::getenv(variable);
    const std::string kept = old != nullptr ? old : "";
    setenv(variable, "/nonexistent/QtWebEngineProcess", 1);
    TScriptedPlatform platform;
    int ends = 0;
    const auto program = CreateDesktopProgram(platform, {}, [&] { ++ends; });
    if (old != nullptr) {
        setenv(variable, kept.c_str(), 1);
    } else {
        unsetenv(variable);
    }
    EXPECT_EQ(program, nullptr);
    ASSERT_EQ(platform.Messages.size(), 1u);
    EXPECT_EQ(platform.Messages[0].Kind, TMessageKind::Error);
    EXPECT_EQ(SjisToUtf8(platform.Messages[0].Text),
              "フォーム作成エラー\r\n\tあなたのお使いの環境ではこのソフトは使えません。\r\n"
              "\tＩＥのＶｅｒ４以上がインストールされている必要があります。");
    EXPECT_EQ(ends, 0);
}

}  // namespace
