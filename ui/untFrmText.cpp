#include "untFrmText.h"

#include <QHBoxLayout>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QVBoxLayout>

#include "converter.h"
#include "identity.h"
#include "memo_font.h"
#include "qt_text.h"
#include "sjis_input_guard.h"
#include "untFrmOutputText.h"
#include "widget_factory.h"

TfrmText::TfrmText(TEngineEnv& env, QWidget* parent) : QDialog(parent), env_(env) {
    setObjectName("frmText");
    setWindowTitle(QString(kIdentityUtf8) + " - テキストボックス");
    setSizeGripEnabled(true);
    auto* layout = new QVBoxLayout(this);

    auto* bar = new QMenuBar(this);
    bar->setObjectName("mmnu");
    QMenu* edit = bar->addMenu("編集(&E)");
    edit->setObjectName("Edit1");
    layout->setMenuBar(bar);

    memo_ = new QPlainTextEdit(this);
    memo_->setObjectName("memText");
    memo_->setFont(MemoFont());
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(memo_);

    QAction* cut = edit->addAction("切り取り(&T)   Ctrl+X", memo_, &QPlainTextEdit::cut);
    cut->setObjectName("mmnuTrim");
    QAction* copy = edit->addAction("コピー(&C)     Ctrl+C", memo_, &QPlainTextEdit::copy);
    copy->setObjectName("mmnuCopy");
    QAction* paste = edit->addAction("貼り付け(&P)  Ctrl+V", memo_, &QPlainTextEdit::paste);
    paste->setObjectName("mmnuPaste");

    auto* buttons = new QHBoxLayout;
    QPushButton* convert = NewButton(this, "cmdHtmlConvText", "変換");
    QPushButton* close = NewButton(this, "cmdClose", "閉じる");
    buttons->addWidget(convert);
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(convert, &QPushButton::clicked, this, [this] { ConvertClick(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    (new TSjisInputGuard(env.Platform, this))->Watch(memo_);
    // Modal over the main window only: the output window stays usable beside it.
    setWindowModality(Qt::WindowModal);
    resize(560, 420);
}

void TfrmText::ShowModal() {
    exec();
}

void TfrmText::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        setWindowTitle(QString(kIdentityUtf8) + " - テキストボックス");
        memo_->clear();
        memo_->setFocus();
    }
    QDialog::showEvent(event);
}

void TfrmText::ConvertClick() {
    std::vector<std::string> input;
    SplitLines(ToSjis(memo_->toPlainText()),
               [&input](std::string_view line) { input.emplace_back(line); });
    std::vector<std::string> output;
    ConvertTextBoxText(env_, output, input);
    output_->ShowOutput(output);
}
