#include "ui/qt_platform.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QUrl>

#include <utility>
#include <vector>

#include "ui/command_line.h"
#include "ui/qt_text.h"

namespace {

struct TKindLook {
    QMessageBox::Icon Icon;
    const char* Title;
};

TKindLook LookOf(TMessageKind kind) {
    switch (kind) {
        case TMessageKind::Confirmation:
            return {QMessageBox::Question, "確認"};
        case TMessageKind::Information:
            return {QMessageBox::Information, "情報"};
        case TMessageKind::Warning:
            return {QMessageBox::Warning, "警告"};
        case TMessageKind::Error:
            break;
    }
    return {QMessageBox::Critical, "エラー"};
}

struct TButtonLook {
    TMessageButton Button;
    const char* Caption;
    QMessageBox::ButtonRole Role;
};

constexpr TButtonLook kButtons[] = {
    {mbOK, "OK", QMessageBox::AcceptRole},
    {mbYes, "はい(&Y)", QMessageBox::YesRole},
    {mbNo, "いいえ(&N)", QMessageBox::NoRole},
    {mbCancel, "キャンセル", QMessageBox::RejectRole},
};

// Message literals use CR LF; a Qt label breaks at LF alone.
QString MessageText(std::string_view sjis) {
    return FromSjis(sjis).replace("\r\n", "\n");
}

// A text with a scheme ("https:", "mailto:") is an address; anything else a local path.
QUrl UrlOf(const QString& pathOrUrl) {
    static const QRegularExpression scheme("^[A-Za-z][A-Za-z0-9+.-]+:");
    if (scheme.match(pathOrUrl).hasMatch())
        return QUrl(pathOrUrl);
    return QUrl::fromLocalFile(pathOrUrl);
}

}  // namespace

QStringList ToQtNameFilters(const QString& filter) {
    static const QRegularExpression ownPatterns("\\s*\\([^()]*\\)\\s*$");
    QStringList result;
    const QStringList parts = filter.split('|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        description.remove(ownPatterns);
        const QString patterns = parts[i + 1].split(';', Qt::SkipEmptyParts).join(' ');
        result << description + " (" + patterns + ")";
    }
    return result;
}

QWidget* TQtPlatform::Parent() const {
    if (QWidget* active = QApplication::activeModalWidget())
        return active;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    return owner_;
}

TMessageButton TQtPlatform::ShowMessage(TMessageKind kind, std::string_view text,
                                        unsigned buttons) {
    const TKindLook look = LookOf(kind);
    QMessageBox box(look.Icon, QString::fromUtf8(look.Title), MessageText(text),
                    QMessageBox::NoButton, Parent());
    QAbstractButton* first = nullptr;
    QAbstractButton* escape = nullptr;
    std::vector<std::pair<QAbstractButton*, TMessageButton>> offered;
    for (const TButtonLook& b : kButtons) {
        if ((buttons & b.Button) == 0)
            continue;
        QPushButton* button = box.addButton(QString::fromUtf8(b.Caption), b.Role);
        offered.emplace_back(button, b.Button);
        if (first == nullptr)
            first = button;
        escape = button;
    }
    if (first == nullptr) {
        first = box.addButton(QString::fromUtf8("OK"), QMessageBox::AcceptRole);
        offered.emplace_back(first, mbOK);
        escape = first;
    }
    box.setDefaultButton(qobject_cast<QPushButton*>(first));
    box.setEscapeButton(escape);
    box.exec();
    for (const auto& [button, value] : offered) {
        if (box.clickedButton() == button)
            return value;
    }
    return offered.back().second;
}

std::optional<std::string> TQtPlatform::FileDialog(const TFileDialogRequest& request, bool save) {
    QFileDialog dialog(Parent());
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!request.AskBeforeOverwrite)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QStringList filters = ToQtNameFilters(FromSjis(request.Filter));
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    if (!request.DefaultExtension.empty())
        dialog.setDefaultSuffix(FromNative(request.DefaultExtension));
    if (!request.InitialFolder.empty())
        dialog.setDirectory(FromNative(request.InitialFolder));
    if (!request.InitialFileName.empty())
        dialog.selectFile(FromNative(request.InitialFileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return ToNative(dialog.selectedFiles().constFirst());
}

std::optional<std::string> TQtPlatform::OpenFileDialog(const TFileDialogRequest& request) {
    return FileDialog(request, false);
}

std::optional<std::string> TQtPlatform::SaveFileDialog(const TFileDialogRequest& request) {
    return FileDialog(request, true);
}

std::optional<std::string> TQtPlatform::FolderDialog(std::string_view title,
                                                     const std::string& initialFolder) {
    const QString chosen =
        QFileDialog::getExistingDirectory(Parent(), FromSjis(title), FromNative(initialFolder));
    if (chosen.isEmpty())
        return std::nullopt;
    return ToNative(chosen);
}

std::optional<TColor> TQtPlatform::ColorDialog(TColor initial) {
    const QColor chosen = QColorDialog::getColor(ToQColor(initial), Parent());
    if (!chosen.isValid())
        return std::nullopt;
    return FromQColor(chosen);
}

void TQtPlatform::OpenWithAssociatedProgram(const std::string& pathOrUrl) {
    if (pathOrUrl.empty())
        return;
    QDesktopServices::openUrl(UrlOf(FromNative(pathOrUrl)));
}

void TQtPlatform::RunCommandLine(const std::string& commandLine) {
    const std::vector<std::string> words = SplitCommandLine(commandLine);
    if (words.empty())
        return;
    QStringList arguments;
    for (std::size_t i = 1; i < words.size(); ++i)
        arguments << FromNative(words[i]);
    QProcess::startDetached(FromNative(words.front()), arguments);
}

void TQtPlatform::SetBusyCursor(bool busy) {
    if (busy == busy_)
        return;
    busy_ = busy;
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void TQtPlatform::Repaint() {
    // Paint what the conversion changed without handling the user's input.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                    QEventLoop::ExcludeSocketNotifiers);
}
