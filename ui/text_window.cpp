#include "ui/text_window.h"

#include <QMenuBar>

#include "ui/memo_font.h"

QPlainTextEdit* NewEditMemo(QWidget* window, QVBoxLayout* layout, const QString& barName,
                            const QString& memoName, const std::array<QString, 3>& captions) {
    auto* bar = new QMenuBar(window);
    bar->setObjectName(barName);
    QMenu* edit = bar->addMenu("編集(&E)");
    edit->setObjectName("Edit1");
    layout->setMenuBar(bar);

    auto* memo = new QPlainTextEdit(window);
    memo->setObjectName(memoName);
    memo->setFont(MemoFont());
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(memo);

    edit->addAction(captions[0], memo, &QPlainTextEdit::cut)->setObjectName("mmnuTrim");
    edit->addAction(captions[1], memo, &QPlainTextEdit::copy)->setObjectName("mmnuCopy");
    edit->addAction(captions[2], memo, &QPlainTextEdit::paste)->setObjectName("mmnuPaste");
    return memo;
}
