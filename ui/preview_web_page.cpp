#include "ui/preview_web_page.h"

#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

#include "engine/text/encoding.h"
#include "ui/qt_text.h"

void RegisterPreviewScheme() {
    if (PreviewSchemeRegistered())
        return;
    QWebEngineUrlScheme scheme(kPreviewScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    // Local like file: pages, so the page may show local images (file: addresses) as a page
    // opened from the disk does.
    scheme.setFlags(QWebEngineUrlScheme::LocalScheme | QWebEngineUrlScheme::LocalAccessAllowed);
    QWebEngineUrlScheme::registerScheme(scheme);
}

bool PreviewSchemeRegistered() {
    return QWebEngineUrlScheme::schemeByName(kPreviewScheme).name() == kPreviewScheme;
}

QUrl PreviewUrl(const std::string& nativePath) {
    QUrl url;
    url.setScheme(kPreviewScheme);
    url.setPath(FromNative(nativePath));
    return url;
}

void TPreviewSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
    const QString path = job->requestUrl().path(QUrl::FullyDecoded);
    const QString folder = FromNative(folder_);
    // Only files directly in the folder: no "..", no subfolder.
    if (folder.isEmpty() || !path.startsWith(folder) || path.mid(folder.size()).contains('/')) {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    auto* file = new QFile(path, job);
    if (!QFileInfo(path).isFile() || !file->open(QIODevice::ReadOnly)) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    const QString suffix = QFileInfo(path).suffix().toLower();
    QByteArray type;
    if (suffix == "htm" || suffix == "html") {
        type = "text/html;charset=" + charset_;
    } else if (suffix == "css") {
        type = "text/css;charset=" + charset_;
    } else {
        type = QMimeDatabase().mimeTypeForFile(path).name().toUtf8();
    }
    job->reply(type, file);
}

TPreviewWebPage::TPreviewWebPage(QWebEngineProfile* profile, TPlatform& platform, QObject* parent)
    : QWebEnginePage(profile, parent), platform_(platform) {}

void TPreviewWebPage::ShowFile(const std::string& nativePath) {
    own_ = PreviewUrl(nativePath);
    setUrl(own_);
}

bool TPreviewWebPage::acceptNavigationRequest(const QUrl& url, NavigationType, bool) {
    if (url == own_)
        return true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            ShowOk(platform_, TMessageKind::Information,
                   Sjis("このリンクはわざと外へはつなげていません（＾＾；"));
        },
        Qt::QueuedConnection);
    return false;
}
