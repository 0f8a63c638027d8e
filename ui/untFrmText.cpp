#include "ui/untFrmText.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QVBoxLayout>

#include "commands/text_box_conversion.h"
#include "engine/base/identity.h"
#include "ui/text_window.h"
#include "ui/untFrmOutputText.h"
#include "ui/widget_factory.h"

TfrmText::TfrmText(TEngineEnv& env, QWidget* parent) : QDialog(parent), env_(env) {
    setObjectName("frmText");
    setWindowTitle(QString(kIdentityUtf8) + " - テキストボックス");
    setSizeGripEnabled(true);
    auto* layout = new QVBoxLayout(this);

    memo_ = NewEditMemo(this, layout, "mmnu", "memText",
                        {"切り取り(&T)   Ctrl+X", "コピー(&C)     Ctrl+C", "貼り付け(&P)  Ctrl+V"});

    auto* buttons = new QHBoxLayout;
    QPushButton* convert = NewButton(this, "cmdHtmlConvText", "変換");
    QPushButton* close = NewButton(this, "cmdClose", "閉じる");
    buttons->addWidget(convert);
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(convert, &QPushButton::clicked, this, [this] { ConvertClick(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

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
    std::vector<std::string> output;
    ConvertTextBoxUtf8(env_, memo_->toPlainText().toStdString(), output);
    output_->ShowOutput(output);
}
