#include "ui/UntVerInf.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

#include "engine/base/identity.h"
#include "settings/user_guide.h"
#include "ui/program_icon.h"
#include "ui/widget_factory.h"

namespace {

constexpr const char* kRightsLine = "Copyright (C) 2026 The porukano developers";

constexpr const char* kGuideLinkCaption = "porukano ユーザーガイド";

constexpr const char* kNotice =
    "このソフトウェアは MIT ライセンスで配布するフリーソフトウェアです。著作権表示とライセンス"
    "の文を添えれば、誰でも自由に使用、複製、改変、再配布できます。無保証です。このソフトウェ"
    "アを使用したことによって生じたいかなる損害についても、作者は責任を負いません。"
    "使い方は上のユーザーガイドをご覧ください。"
    "不具合のご報告は、このソフトウェアを入手した配布元へお願いします。";

}  // namespace

TdlgVerInf::TdlgVerInf(const TForm& mainWindow, TPlatform& platform, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      mainWindow_(mainWindow),
      platform_(platform) {
    setObjectName("dlgVerInf");
    setWindowTitle("バージョン情報");
    auto* layout = new QVBoxLayout(this);

    auto* bevel = new QFrame(this);
    bevel->setObjectName("Bevel1");
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    auto* grid = new QGridLayout(bevel);
    auto* icon = new QLabel(bevel);
    icon->setObjectName("imgSoftIcon");
    icon->setPixmap(ProgramIconPixmap(32));
    icon->setFixedSize(32, 32);
    grid->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    name_ = new QLabel(bevel);
    name_->setObjectName("lblSoftName");
    QFont big = name_->font();
    big.setPixelSize(21);
    name_->setFont(big);
    grid->addWidget(name_, 0, 1);
    rights_ = new QLabel(bevel);
    rights_->setObjectName("lblCopyright");
    grid->addWidget(rights_, 1, 1);
    link_ = new TColorLabel({}, bevel);
    link_->setObjectName("lblHpUrl");
    link_->SetOpaque(false);
    link_->setToolTip("クリックするとユーザーガイドを表示します。");
    link_->setCursor(Qt::PointingHandCursor);
    grid->addWidget(link_, 2, 1);
    auto* notice = new QLabel(kNotice, bevel);
    notice->setObjectName("StaticText1");
    notice->setWordWrap(true);
    notice->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    notice->setMargin(4);
    grid->addWidget(notice, 3, 0, 1, 2);
    layout->addWidget(bevel);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    QPushButton* ok = NewButton(this, "OKBtn", "OK");
    ok->setDefault(true);
    ok->setAutoDefault(true);
    buttons->addWidget(ok);
    buttons->addStretch();
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(link_, &TColorLabel::entered, this,
            [this] { link_->SetFontColor(mainWindow_.FontColor("lblLinkstr")); });
    connect(link_, &TColorLabel::left, this, [this] { link_->SetFontColor(RgbToColor(0, 0, 0)); });
    connect(link_, &TColorLabel::clicked, this, [this] { LinkClick(); });
    setWindowIcon(ProgramIcon());
    FillTexts();
    // The box takes the size its content needs at the desktop's font, at least 353 by 185.
    notice->setMinimumWidth(330);
    setMinimumSize(353, 185);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TdlgVerInf::FillTexts() {
    name_->setText(kIdentityUtf8);
    link_->SetCaption(kGuideLinkCaption);
    guideUrl_ = DefaultHelpUrl();
    rights_->setText(kRightsLine);
}

void TdlgVerInf::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    FillTexts();
    // Centred on the screen, not on the main window.
    if (const QScreen* shown = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(shown->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TdlgVerInf::LinkClick() {
    link_->SetFontColor(mainWindow_.FontColor("lblAlink"));
    link_->repaint();
    platform_.OpenWithAssociatedProgram(guideUrl_);
    link_->SetFontColor(mainWindow_.FontColor("lblLinkstr"));
}
