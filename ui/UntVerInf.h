// TdlgVerInf: the about box, with the program's name, its rights, the notice and a link to the
// author's site that takes the main window's link colours.
#pragma once

#include <QDialog>

#include "engine/form.h"
#include "engine/platform.h"

class QLabel;
class TColorLabel;

// The author's site shown and opened by the about box.
inline constexpr const char* kAuthorSiteUrl = "https://porukano.example.org/";

class TdlgVerInf : public QDialog {
  public:
    // mainWindow gives the link colours (lblLinkstr, lblAlink).
    TdlgVerInf(const TForm& mainWindow, TPlatform& platform, QWidget* parent);

    // The click of the link label.
    void LinkClick();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FillTexts();

    const TForm& mainWindow_;
    TPlatform& platform_;
    QLabel* name_;
    QLabel* rights_;
    TColorLabel* link_;
};
