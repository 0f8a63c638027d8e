// Qt's own texts in Japanese: the buttons and labels Qt gives its standard dialogs (file, colour
// and message boxes: "開く", "キャンセル", "保存" ...), so that they speak the language of the
// program's windows whatever the desktop's language. Qt's Japanese catalogue comes with Debian's
// qt6-translations-l10n; the program's own texts are Japanese already and are not touched.
#pragma once

class QCoreApplication;

// Installs Qt's Japanese catalogue (qtbase_ja.qm in QLibraryInfo's translations folder) on
// application; it lives as long as application. False when the catalogue is not installed: the
// standard dialogs then keep Qt's English.
bool InstallQtJapaneseTranslations(QCoreApplication& application);
