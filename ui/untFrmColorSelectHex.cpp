#include "ui/untFrmColorSelectHex.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/text/encoding.h"
#include "ui/hex_colour.h"
#include "ui/qt_text.h"
#include "ui/widget_factory.h"

namespace {

struct TChannel {
    const char* Name;
    const char* Caption;
};
constexpr TChannel kChannels[] = {
    {"ledtRed", "赤(R)"}, {"ledtGreen", "緑(G)"}, {"ledtBlue", "青(B)"}};

}  // namespace

TfrmColorSelectHex::TfrmColorSelectHex(TPlatform& platform, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      platform_(platform) {
    setObjectName("frmColorSelectHex");
    setWindowTitle("色指定ダイアログHex指定版");
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel("テキストボックスに色の濃さを16進数で入力してください", this);
    intro->setObjectName("Label1");
    layout->addWidget(intro);

    auto* row = new QHBoxLayout;
    swatch_ = NewColorLabel(this, "lblColorPreview", {}, 0, 0);
    swatch_->setToolTip("クリックすると色指定ダイアログが表示されます");
    swatch_->setFixedSize(72, 56);
    row->addWidget(swatch_);
    auto* grid = new QGridLayout;
    for (int i = 0; i < 3; ++i) {
        QLineEdit* edit = NewEdit(this, kChannels[i].Name, 2);
        edit->setAttribute(Qt::WA_InputMethodEnabled, false);
        edit->setInputMethodHints(Qt::ImhPreferUppercase | Qt::ImhNoPredictiveText |
                                  Qt::ImhLatinOnly);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance("WWW") + 16);
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textChanged, this, [this, edit] {
            if (CheckEdit(edit))
                ShowPreviewColor();
        });
        grid->addWidget(NewCaption(this, kChannels[i].Caption, edit), 0, i, Qt::AlignCenter);
        grid->addWidget(edit, 1, i, Qt::AlignCenter);
        edits_[i] = edit;
    }
    row->addLayout(grid);
    row->addStretch();
    layout->addLayout(row);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    ok_ = NewButton(this, "btnOK", "OK");
    ok_->setDefault(true);
    cancel_ = NewButton(this, "btnCancel", "キャンセル");
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ok_, &QPushButton::clicked, this, [this] { OkClick(); });
    connect(cancel_, &QPushButton::clicked, this, [this] { CancelClick(); });
    connect(swatch_, &TColorLabel::clicked, this, [this] { SwatchClick(); });
    connect(this, &QDialog::rejected, this, [this] { accepted_ = false; });
}

bool TfrmColorSelectHex::PickColor() {
    accepted_ = false;
    exec();
    return accepted_;
}

void TfrmColorSelectHex::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        FillEdits(color_);
        edits_[0]->setFocus();
        edits_[0]->selectAll();
    }
    QDialog::showEvent(event);
}

void TfrmColorSelectHex::FillEdits(TColor color) {
    const THexPairs pairs = HexPairsOf(color);
    edits_[0]->setText(QString::fromStdString(pairs.Red));
    edits_[1]->setText(QString::fromStdString(pairs.Green));
    edits_[2]->setText(QString::fromStdString(pairs.Blue));
    ShowPreviewColor();
}

bool TfrmColorSelectHex::CheckEdit(QLineEdit* edit) {
    if (FirstNonHexDigit(ToSjis(edit->text())) == 0)
        return true;
    checking_ = true;
    ShowOk(platform_, TMessageKind::Information,
           Sjis("１６進数の正しい値が入力されていません。00～FF"));
    checking_ = false;
    edit->setFocus();
    return false;
}

TColor TfrmColorSelectHex::EditsColor() const {
    return ColorFromHexPairs(ToSjis(edits_[0]->text()), ToSjis(edits_[1]->text()),
                             ToSjis(edits_[2]->text()));
}

void TfrmColorSelectHex::ShowPreviewColor() {
    for (QLineEdit* edit : edits_) {
        if (FirstNonHexDigit(ToSjis(edit->text())) != 0)
            return;
    }
    swatch_->SetOwnColor(EditsColor());
}

bool TfrmColorSelectHex::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && !checking_) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Leaving for another window (a message box, a menu) is not leaving the edit, and the two
        // buttons do their own checking.
        const QWidget* next = QApplication::focusWidget();
        const bool withinDialog = reason != Qt::ActiveWindowFocusReason &&
                                  reason != Qt::PopupFocusReason && next != ok_ && next != cancel_;
        for (QLineEdit* edit : edits_) {
            if (watched == edit && withinDialog)
                CheckEdit(edit);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmColorSelectHex::OkClick() {
    // A wrong pair cannot make a colour: the message, and the dialog stays.
    for (QLineEdit* edit : edits_) {
        if (!CheckEdit(edit))
            return;
    }
    color_ = EditsColor();
    accepted_ = true;
    accept();
}

void TfrmColorSelectHex::CancelClick() {
    accepted_ = false;
    reject();
}

void TfrmColorSelectHex::SwatchClick() {
    if (const std::optional<TColor> chosen = platform_.ColorDialog(swatch_->OwnColor())) {
        swatch_->SetOwnColor(*chosen);
        FillEdits(*chosen);
    }
}
