// The part the two text-box windows share: an edit menu over a memo of Shift_JIS text.
#pragma once

#include <QPlainTextEdit>
#include <QString>
#include <QVBoxLayout>
#include <array>

// Puts a menu bar named barName with the menu "編集(&E)" over layout and adds to layout a memo
// named memoName (the memo font, no wrapping). The menu cuts, copies and pastes in the memo; its
// three captions are given as each window writes them.
QPlainTextEdit* NewEditMemo(QWidget* window, QVBoxLayout* layout, const QString& barName,
                            const QString& memoName, const std::array<QString, 3>& captions);
