#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "ui/main_tabs.h"
#include "ui/widget_factory.h"

namespace {

QPlainTextEdit* NewMemo(QWidget* parent, const char* name) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(name);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    return memo;
}

}  // namespace

QWidget* BuildHeadFootTab() {
    auto* page = new QWidget;
    page->setObjectName("tbshtHeadFot");
    auto* layout = new QVBoxLayout(page);
    QPlainTextEdit* header = NewMemo(page, "memHeader");
    layout->addWidget(NewCaption(page, "ヘッダー（変換するテキストの前に付ける文）", header));
    layout->addWidget(header);
    QPlainTextEdit* footer = NewMemo(page, "memFotter");
    layout->addWidget(NewCaption(page, "フッター（変換するテキストの後に付ける文）", footer));
    layout->addWidget(footer);
    return page;
}
