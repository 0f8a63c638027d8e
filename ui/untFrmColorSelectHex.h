// TfrmColorSelectHex: the colour dialog of the style editors. The colour is typed as three
// two-digit hexadecimal numbers (red, green, blue) and shown in a swatch; clicking the swatch
// opens the platform's colour dialog. One instance for the whole run; every caller sets its
// caption and colour before showing it.
#pragma once

#include <QDialog>

#include "engine/base/platform.h"

class QLineEdit;
class QPushButton;
class TColorLabel;

class TfrmColorSelectHex : public QDialog {
  public:
    TfrmColorSelectHex(TPlatform& platform, QWidget* parent);

    TColor Color() const { return color_; }
    void SetColor(TColor color) { color_ = color; }
    // True only when the dialog was last left with OK.
    bool Accepted() const { return accepted_; }

    // Shows the dialog modally; true when it was left with OK (the colour is then in Color()).
    bool PickColor();

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FillEdits(TColor color);
    // The input check of one edit: false, after the message and with the focus back on the edit,
    // when it does not hold a hexadecimal pair.
    bool CheckEdit(QLineEdit* edit);
    void ShowPreviewColor();
    TColor EditsColor() const;
    void OkClick();
    void CancelClick();
    void SwatchClick();

    TPlatform& platform_;
    TColor color_ = 0;
    bool accepted_ = false;
    bool checking_ = false;
    QLineEdit* edits_[3] = {};
    TColorLabel* swatch_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};
