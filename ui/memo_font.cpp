#include "ui/memo_font.h"

#include <QStringList>

QFont MemoFont() {
    QFont font;
    font.setFamilies(QStringList{"ＭＳ ゴシック", "MS Gothic", "IPAGothic", "Noto Sans Mono CJK JP",
                                 "monospace"});
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(13);
    return font;
}
