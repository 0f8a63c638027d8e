// TdlgVerInf: the about box, with the program's name, its rights, the notice and a link to the
// user guide installed with the program, which takes the main window's link colours.
#pragma once

#include <QDialog>

#include "engine/base/form.h"
#include "engine/base/platform.h"

#include <string>

class QLabel;
class TColorLabel;

class TdlgVerInf : public QDialog {
  public:
    // mainWindow gives the link colours (lblLinkstr, lblAlink).
    TdlgVerInf(const TForm& mainWindow, TPlatform& platform, QWidget* parent);

    // The click of the link label: opens the user guide (DefaultHelpUrl) with the program the
    // system associates with it.
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
    std::string guideUrl_;  // UTF-8, found again each time the box is shown
};
