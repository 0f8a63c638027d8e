// The preview's page inside the web view. The page is served under the program's own URL scheme
// with its Shift_JIS charset stated, and a guard lets the view go nowhere but to that page.
#pragma once

#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineUrlSchemeHandler>

#include <string>

#include "engine/base/platform.h"

class QWebEngineProfile;

// The scheme the preview's files are served under.
inline constexpr const char* kPreviewScheme = "porukano-preview";

// Makes the scheme known to the web engine; must run before the QApplication is constructed
// (PrepareWebEngine does it).
void RegisterPreviewScheme();
bool PreviewSchemeRegistered();

// The address under which the web view shows the local file at nativePath.
// Example: "/opt/p/.pretmp.htm" gives "porukano-preview:/opt/p/.pretmp.htm".
QUrl PreviewUrl(const std::string& nativePath);

// Serves the files of one folder under the preview scheme; anything outside it is refused.
// Pages and stylesheets go out as Shift_JIS: the converted page names its charset only in a
// Content-Script-Type meta, which a browser does not take for the page's encoding, and the
// engine's own guess reads a page of mostly ASCII text with a few Japanese characters as a
// Western encoding. Stating the charset as a web server would shows every page as written.
class TPreviewSchemeHandler : public QWebEngineUrlSchemeHandler {
  public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

    // The folder whose files are served (native, with a trailing separator), and the charset
    // its page and stylesheet are written in ("Shift_JIS", "UTF-8", "EUC-JP").
    void SetFolder(const std::string& nativeFolder, const QByteArray& charset) {
        folder_ = nativeFolder;
        charset_ = charset;
    }
    void requestStarted(QWebEngineUrlRequestJob* job) override;

  private:
    std::string folder_;
    QByteArray charset_ = "Shift_JIS";
};

// The guard: the view may load the preview's own page (and reload it); any other address, such
// as a link clicked in the page, is refused, and the user is told so with the information "この
// リンクはわざと外へはつなげていません（＾＾；". The message is shown once the engine has been
// answered, so no modal box runs inside the engine's navigation.
class TPreviewWebPage : public QWebEnginePage {
  public:
    TPreviewWebPage(QWebEngineProfile* profile, TPlatform& platform, QObject* parent);

    // Loads the local file at nativePath; its address is from now on the only one let through.
    void ShowFile(const std::string& nativePath);

  protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;

  private:
    TPlatform& platform_;
    QUrl own_;
};
