// The desktop platform's message boxes: the title of each kind, the button captions, and the
// answer of the button pressed (Escape takes the last one offered).
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <functional>

#include "engine/text/encoding.h"
#include "ui/qt_platform.h"

namespace {

struct TSeenBox {
    QString Title;
    QString Text;
    QStringList Buttons;
};

// Shows a box and, once it is up, records it and lets press act on it.
TMessageButton ShowAndAct(TMessageKind kind, const std::string& text, unsigned buttons,
                          TSeenBox& seen, const std::function<void(QMessageBox&)>& press) {
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen.Title = box->windowTitle();
        seen.Text = box->text();
        for (QAbstractButton* button : box->buttons())
            seen.Buttons << button->text();
        press(*box);
    });
    TQtPlatform platform;
    return platform.ShowMessage(kind, text, buttons);
}

void PressButton(QMessageBox& box, const char* caption) {
    for (QAbstractButton* button : box.buttons()) {
        if (button->text() == caption)
            button->click();
    }
}

TEST(QtPlatform, MessageBoxesHaveTheirKindsTitleAndTheProgramsButtons) {
    TSeenBox seen;
    EXPECT_EQ(
        ShowAndAct(TMessageKind::Confirmation, Sjis("上書きしますか？\r\n二行目"), mbYes | mbNo,
                   seen, [](QMessageBox& box) { PressButton(box, "いいえ(&N)"); }),
        mbNo);
    EXPECT_EQ(seen.Title, "確認");
    EXPECT_EQ(seen.Text, "上書きしますか？\n二行目");
    EXPECT_TRUE(seen.Buttons.contains("はい(&Y)"));
    EXPECT_TRUE(seen.Buttons.contains("いいえ(&N)"));
    EXPECT_EQ(seen.Buttons.size(), 2);

    const std::pair<TMessageKind, const char*> kinds[] = {{TMessageKind::Information, "情報"},
                                                          {TMessageKind::Warning, "警告"},
                                                          {TMessageKind::Error, "エラー"}};
    for (const auto& [kind, title] : kinds) {
        seen = {};
        EXPECT_EQ(
            ShowAndAct(kind, "x", mbOK, seen, [](QMessageBox& box) { PressButton(box, "OK"); }),
            mbOK);
        EXPECT_EQ(seen.Title, title);
        EXPECT_EQ(seen.Buttons, QStringList{"OK"});
    }

    seen = {};
    EXPECT_EQ(ShowAndAct(TMessageKind::Warning, "x", mbOK | mbCancel, seen,
                         [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); }),
              mbCancel);
    EXPECT_TRUE(seen.Buttons.contains("キャンセル"));
}

}  // namespace
