#include "ui/qt_text.h"

#include <utility>

#include "engine/text/encoding.h"

QString FromSjis(std::string_view sjis) {
    return QString::fromStdString(SjisToUtf8(sjis));
}

std::string ToSjis(const QString& text) {
    if (auto whole = Utf8ToSjis(text.toStdString()))
        return *std::move(whole);
    std::string out;
    for (const char32_t c : text.toStdU32String()) {
        const QString one = QString::fromUcs4(&c, 1);
        const auto sjis = Utf8ToSjis(one.toStdString());
        out += sjis ? *sjis : std::string("?");
    }
    return out;
}

bool HasSjisForm(const QString& text) {
    return Utf8ToSjis(text.toStdString()).has_value();
}

QString FromNative(const std::string& path) {
    return QString::fromStdString(path);
}

std::string ToNative(const QString& path) {
    return path.toStdString();
}

QColor ToQColor(TColor color) {
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

TColor FromQColor(const QColor& color) {
    return RgbToColor(color.red(), color.green(), color.blue());
}
