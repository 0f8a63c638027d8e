// Qt's own texts in Japanese: the standard dialogs' buttons and labels take Qt's Japanese
// catalogue, whatever the desktop's language, while the program's own captions stay as written.
#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTranslator>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include "engine/text/encoding.h"
#include "ui/qt_platform.h"
#include "ui/qt_translations.h"

namespace {

// Qt's catalogue installed for one test, and taken away again.
class TJapaneseQt : public ::testing::Test {
  protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::English));
        ASSERT_TRUE(InstallQtJapaneseTranslations(*qApp)) << "qt6-translations-l10n is missing";
    }
    void TearDown() override {
        for (QTranslator* translator :
             qApp->findChildren<QTranslator*>(Qt::FindDirectChildrenOnly)) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
        QLocale::setDefault(QLocale::system());
    }
};

QStringList ButtonTexts(const QWidget& dialog) {
    QStringList texts;
    for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
        if (!button->text().isEmpty())
            texts << button->text();
    }
    return texts;
}

TEST_F(TJapaneseQt, StandardButtonsAndDialogsSpeakJapanese) {
    QDialogButtonBox buttons(QDialogButtonBox::Open | QDialogButtonBox::Save |
                             QDialogButtonBox::Cancel | QDialogButtonBox::Yes |
                             QDialogButtonBox::No);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Open)->text(), "開く");
    EXPECT_EQ(buttons.button(QDialogButtonBox::Save)->text(), "保存");
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), "キャンセル");
    EXPECT_EQ(buttons.button(QDialogButtonBox::Yes)->text(), "はい(&Y)");
    EXPECT_EQ(buttons.button(QDialogButtonBox::No)->text(), "いいえ(&N)");

    QFileDialog files;
    files.setOption(QFileDialog::DontUseNativeDialog);
    EXPECT_EQ(files.labelText(QFileDialog::FileName), "ファイル名(&N):");
    EXPECT_EQ(files.labelText(QFileDialog::Accept), "開く(&O)");
    EXPECT_EQ(files.labelText(QFileDialog::Reject), "キャンセル");

    QColorDialog colours;
    colours.setOption(QColorDialog::DontUseNativeDialog);
    EXPECT_TRUE(ButtonTexts(colours).contains("キャンセル"))
        << ButtonTexts(colours).join('|').toStdString();
}

TEST_F(TJapaneseQt, TheProgramsOwnCaptionsStayAsWritten) {
    QStringList seen;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        for (QAbstractButton* button : box->buttons())
            seen << button->text();
        seen << box->windowTitle();
        QTest::keyClick(box, Qt::Key_Escape);
    });
    TQtPlatform platform;
    platform.ShowMessage(TMessageKind::Confirmation, Sjis("続けますか？"), mbYes | mbNo | mbCancel);
    seen.sort();
    EXPECT_EQ(seen.join('|').toStdString(), "いいえ(&N)|はい(&Y)|キャンセル|確認");
}

}  // namespace
