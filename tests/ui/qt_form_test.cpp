// The Qt side of the two ports: TForm over real widgets (Shift_JIS at the edge, memos in CR LF,
// radio groups and drop-downs out of range, change behaviour on set values, menu captions), the
// input guard against characters without a Shift_JIS form, the dialog filters and the splitting
// of a browser command line.
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest/QTest>

#include "engine/text/encoding.h"
#include "settings/output_path.h"
#include "tests/ui/program_fixture.h"
#include "ui/command_line.h"
#include "ui/qt_platform.h"

namespace {

class TQtFormTest : public TProgramTest {
  protected:
    void SetUp() override { Start(); }
    TForm& Form() { return Main().Form(); }
};

TEST_F(TQtFormTest, TextCrossesIntoShiftJisAndMemosUseCrLf) {
    Control<QLineEdit>("edtPageTitle")->setText("日本語の題");
    EXPECT_EQ(Form().Text("edtPageTitle"), Sjis("日本語の題"));
    Form().SetText("memHeader", Sjis("一行目\r\n二行目\r\n"));
    EXPECT_EQ(Control<QPlainTextEdit>("memHeader")->toPlainText(), "一行目\n二行目\n");
    EXPECT_EQ(Form().Text("memHeader"), Sjis("一行目\r\n二行目\r\n"));
    EXPECT_EQ(Form().Text("no such control"), "");
    EXPECT_FALSE(Form().HasControl("no such control"));
}

TEST_F(TQtFormTest, ChoicesOutOfRangeAndChangeBehaviour) {
    Form().SetItemIndex("rdgrpAddTag", 7);
    EXPECT_EQ(Form().ItemIndex("rdgrpAddTag"), 2) << "a radio group takes its last button";
    Form().SetItemIndex("rdgrpAddTag", -1);
    EXPECT_EQ(Form().ItemIndex("rdgrpAddTag"), -1);
    Form().SetItemIndex("cmbFontStyle1", 6);
    EXPECT_EQ(Form().ItemIndex("cmbFontStyle1"), -1) << "a drop-down ends with no selection";

    int changes = 0;
    Form().SetChangeHandler("edtTag4", [&changes] { ++changes; });
    Form().SetText("edtTag4", "div");
    Form().SetText("edtTag4", "div");
    EXPECT_EQ(changes, 1) << "only a real change raises it";
    QTest::keyClicks(Control<QLineEdit>("edtTag4"), "x");
    EXPECT_EQ(changes, 2);
}

TEST_F(TQtFormTest, HistoryCaptionsShowAmpersandsAsWritten) {
    Form().SetText("mitmPrknHis3", "/a&b/c.prkn");
    EXPECT_EQ(Main().findChild<QAction*>("mitmPrknHis3")->text(), "/a&&b/c.prkn");
    EXPECT_EQ(Form().Text("mitmPrknHis3"), "/a&b/c.prkn");
}

TEST_F(TQtFormTest, CharactersWithoutAShiftJisFormAreTakenOutAndReported) {
    QLineEdit* title = Control<QLineEdit>("edtPageTitle");
    // Typed as an input method commits text: one key event carrying the characters.
    QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                    QString::fromUtf8("caf\xC3\xA9 ok"));
    QApplication::sendEvent(title, &typed);
    EXPECT_EQ(title->text(), "caf ok");
    ASSERT_FALSE(platform_.Messages.empty());
    EXPECT_EQ(platform_.Messages[0].Kind, TMessageKind::Warning);
    const std::size_t before = platform_.Messages.size();
    Control<QPlainTextEdit>("memFotter")->setPlainText(QString::fromUtf8("前\xF0\x9F\x98\x80後"));
    EXPECT_EQ(Control<QPlainTextEdit>("memFotter")->toPlainText(), "前後");
    EXPECT_EQ(platform_.Messages.size(), before + 1);
}

TEST(QtNameFilters, PairsBecomeQtFiltersWithoutRepeatedPatterns) {
    EXPECT_EQ(ToQtNameFilters("htmlファイル(*.htm)|*.htm"), QStringList{"htmlファイル (*.htm)"});
    EXPECT_EQ(ToQtNameFilters("変換設定ファイル(*.prkn,*.rkn)|*.prkn;*.rkn"),
              QStringList{"変換設定ファイル (*.prkn *.rkn)"});
    EXPECT_EQ(ToQtNameFilters("a|*.a|b (*.b)|*.b"), (QStringList{"a (*.a)", "b (*.b)"}));
    EXPECT_TRUE(ToQtNameFilters("").isEmpty());
}

TEST(CommandLine, ReadsBackWhatTheBrowserCommandQuotes) {
    TOption options;
    options.BrowserPath = Sjis("/opt/my \"browser\"/b$1");
    const std::string page = "/doc/a `x` \\ y.htm";
    EXPECT_EQ(SplitCommandLine(MakeBrowserCommand(page, options)),
              (std::vector<std::string>{"/opt/my \"browser\"/b$1", page}));
    EXPECT_EQ(SplitCommandLine("  a  'b c'  d\\ e \"\" "),
              (std::vector<std::string>{"a", "b c", "d e", ""}));
    EXPECT_TRUE(SplitCommandLine(" \t ").empty());
}

}  // namespace
