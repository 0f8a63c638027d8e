// Keeps characters without a Shift_JIS (CP932) form out of an edit or memo: such a character is
// taken out again as soon as it is typed or pasted, and the user is told why. Everything the
// controls hold can then be converted and saved without loss.
#pragma once

#include <QObject>

#include "engine/base/platform.h"

class QLineEdit;
class QPlainTextEdit;
class QWidget;

class TSjisInputGuard : public QObject {
  public:
    TSjisInputGuard(TPlatform& platform, QObject* parent);

    void Watch(QLineEdit* edit);
    void Watch(QPlainTextEdit* memo);
    // Every edit and memo inside window.
    void WatchAll(QWidget& window);

  private:
    void Refuse();

    TPlatform& platform_;
    bool refusing_ = false;
};
