#include "ui/sjis_input_guard.h"

#include <QLineEdit>
#include <QPlainTextEdit>

#include "engine/text/encoding.h"
#include "ui/qt_text.h"

namespace {

// text without its characters that have no CP932 form; removedBefore counts those before limit.
QString WithoutUnencodable(const QString& text, int limit, int& removedBefore) {
    QString kept;
    removedBefore = 0;
    int index = 0;
    for (const char32_t c : text.toStdU32String()) {
        const QString one = QString::fromUcs4(&c, 1);
        if (HasSjisForm(one)) {
            kept += one;
        } else if (index < limit) {
            removedBefore += static_cast<int>(one.size());
        }
        index += static_cast<int>(one.size());
    }
    return kept;
}

}  // namespace

TSjisInputGuard::TSjisInputGuard(TPlatform& platform, QObject* parent)
    : QObject(parent), platform_(platform) {}

void TSjisInputGuard::Watch(QLineEdit* edit) {
    connect(edit, &QLineEdit::textChanged, this, [this, edit](const QString& text) {
        if (refusing_ || HasSjisForm(text))
            return;
        refusing_ = true;
        int removed = 0;
        const int cursor = edit->cursorPosition();
        edit->setText(WithoutUnencodable(text, cursor, removed));
        edit->setCursorPosition(cursor - removed);
        refusing_ = false;
        Refuse();
    });
}

void TSjisInputGuard::Watch(QPlainTextEdit* memo) {
    connect(memo, &QPlainTextEdit::textChanged, this, [this, memo] {
        if (refusing_)
            return;
        const QString text = memo->toPlainText();
        if (HasSjisForm(text))
            return;
        refusing_ = true;
        int removed = 0;
        const int cursor = memo->textCursor().position();
        memo->setPlainText(WithoutUnencodable(text, cursor, removed));
        QTextCursor at = memo->textCursor();
        at.setPosition(cursor - removed);
        memo->setTextCursor(at);
        refusing_ = false;
        Refuse();
    });
}

void TSjisInputGuard::WatchAll(QWidget& window) {
    for (QLineEdit* edit : window.findChildren<QLineEdit*>())
        Watch(edit);
    for (QPlainTextEdit* memo : window.findChildren<QPlainTextEdit*>())
        Watch(memo);
}

void TSjisInputGuard::Refuse() {
    ShowOk(
        platform_, TMessageKind::Warning,
        Sjis("Shift_JIS（CP932）で表せない文字は入力できません。\r\nその文字は取り除きました。"));
}
