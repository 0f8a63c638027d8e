// The platform's services on the desktop: Qt message boxes with the program's titles and button
// captions, Qt's file and colour dialogs, the desktop's associated programs, detached processes,
// the busy cursor and repainting while a command runs.
#pragma once

#include <QPointer>
#include <QWidget>

#include "engine/base/platform.h"

class TQtPlatform : public TPlatform {
  public:
    // Boxes and dialogs are centred on the active window, or on owner when none is active.
    void SetOwner(QWidget* owner) { owner_ = owner; }

    TMessageButton ShowMessage(TMessageKind kind, std::string_view text, unsigned buttons) override;
    std::optional<std::string> OpenFileDialog(const TFileDialogRequest& request) override;
    std::optional<std::string> SaveFileDialog(const TFileDialogRequest& request) override;
    std::optional<std::string> FolderDialog(std::string_view title,
                                            const std::string& initialFolder) override;
    std::optional<TColor> ColorDialog(TColor initial) override;
    void OpenWithAssociatedProgram(const std::string& pathOrUrl) override;
    void RunCommandLine(const std::string& commandLine) override;
    void SetBusyCursor(bool busy) override;
    void Repaint() override;

  private:
    QWidget* Parent() const;
    std::optional<std::string> FileDialog(const TFileDialogRequest& request, bool save);

    QPointer<QWidget> owner_;
    bool busy_ = false;
};

// A dialog filter of the form "description|patterns|description|patterns" ("*.a;*.b") as Qt's
// name filters: "description (*.a *.b)". A description that ends in its own parenthesised pattern
// list loses it, so the patterns are not shown twice.
QStringList ToQtNameFilters(const QString& filter);
