#include "untFrmOutputText.h"

#include <QHBoxLayout>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QVBoxLayout>

#include "identity.h"
#include "memo_font.h"
#include "qt_text.h"
#include "widget_factory.h"

TfrmOutPutText::TfrmOutPutText() : QWidget(nullptr, Qt::Window) {
    setObjectName("frmOutPutText");
    setWindowTitle(QString(kIdentityUtf8) + " - テキストボックス出力");
    auto* layout = new QVBoxLayout(this);

    auto* bar = new QMenuBar(this);
    bar->setObjectName("mmnuMain");
    QMenu* edit = bar->addMenu("編集(&E)");
    edit->setObjectName("Edit1");
    layout->setMenuBar(bar);

    memo_ = new QPlainTextEdit(this);
    memo_->setObjectName("memOutPutText");
    memo_->setFont(MemoFont());
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(memo_);

    QAction* cut = edit->addAction("切り取り(&T)    Ctrl+X", memo_, &QPlainTextEdit::cut);
    cut->setObjectName("mmnuTrim");
    QAction* copy = edit->addAction("コピー(&C)       Ctrl+C", memo_, &QPlainTextEdit::copy);
    copy->setObjectName("mmnuCopy");
    QAction* paste = edit->addAction("貼り付け(&P)    Ctrl+V", memo_, &QPlainTextEdit::paste);
    paste->setObjectName("mmnuPaste");

    auto* buttons = new QHBoxLayout;
    QPushButton* copyAll = NewButton(this, "cmdAllCopy", "クリップボードへコピー");
    QPushButton* close = NewButton(this, "cmdClose", "閉じる");
    buttons->addWidget(copyAll);
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(copyAll, &QPushButton::clicked, this, [this] { CopyAll(); });
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    resize(620, 460);
}

void TfrmOutPutText::ShowOutput(const std::vector<std::string>& lines) {
    show();
    raise();
    activateWindow();
    memo_->clear();
    QString text;
    for (const std::string& line : lines) {
        // A line may hold its own line breaks (the stylesheet block): one form for all.
        text += FromSjis(line).replace("\r\n", "\n");
        text += '\n';
    }
    memo_->setPlainText(text);
}

void TfrmOutPutText::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        setWindowTitle(QString(kIdentityUtf8) + " - テキストボックス出力");
        memo_->setFocus();
    }
    QWidget::showEvent(event);
}

void TfrmOutPutText::CopyAll() {
    memo_->selectAll();
    memo_->copy();
}
