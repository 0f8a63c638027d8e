#include "ui/untFrmOutputText.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QVBoxLayout>

#include "engine/base/identity.h"
#include "ui/text_window.h"
#include "ui/widget_factory.h"

TfrmOutPutText::TfrmOutPutText() : QWidget(nullptr, Qt::Window) {
    setObjectName("frmOutPutText");
    setWindowTitle(QString(kIdentityUtf8) + " - テキストボックス出力");
    auto* layout = new QVBoxLayout(this);

    memo_ = NewEditMemo(
        this, layout, "mmnuMain", "memOutPutText",
        {"切り取り(&T)    Ctrl+X", "コピー(&C)       Ctrl+C", "貼り付け(&P)    Ctrl+V"});

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
        text += QString::fromStdString(line).replace("\r\n", "\n");
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
