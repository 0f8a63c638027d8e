// The edge between the program's Shift_JIS text and Qt's strings.
#pragma once

#include <QColor>
#include <QString>

#include <string>
#include <string_view>

#include "engine/text/text_helpers.h"

// Shift_JIS bytes shown in a widget.
QString FromSjis(std::string_view sjis);

// The Shift_JIS form of a widget's text. A character without a CP932 form becomes "?"; the input
// guard (sjis_input_guard.h) keeps such characters out of the controls, so this happens only for
// text that never came from the user (a native file name, for instance).
std::string ToSjis(const QString& text);

// True when every character of text has a CP932 form.
bool HasSjisForm(const QString& text);

// A native path (UTF-8 on Linux) as a QString and back.
QString FromNative(const std::string& path);
std::string ToNative(const QString& path);

// The platform colour value (red in the lowest byte) and Qt's colour.
QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);
