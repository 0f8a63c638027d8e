#include "ui/web_engine_setup.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLoggingCategory>
#include <QOpenGLContext>
#include <QStringList>

#include <algorithm>

#include <unistd.h>

#include "ui/preview_web_page.h"

// The context every OpenGL context of the program shares with; Qt's own (QtGui exports them
// for the web engine, which sets the context in the same way).
QT_BEGIN_NAMESPACE
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);
Q_GUI_EXPORT QOpenGLContext* qt_gl_global_share_context();
QT_END_NAMESPACE

namespace {

// The shared context, set before the application so that neither the application nor the web
// engine's library makes one at the start; it is made when the preview first needs it.
QOpenGLContext* deferredContext = nullptr;

void DeleteDeferredContext() {
    if (qt_gl_global_share_context() == deferredContext)
        qt_gl_set_global_share_context(nullptr);
    delete deferredContext;
    deferredContext = nullptr;
}

// The helper process where the engine looks for it: only the environment's path when set.
QStringList HelperProcessCandidates() {
    if (const QString set = qEnvironmentVariable("QTWEBENGINEPROCESS_PATH"); !set.isEmpty())
        return {set};
    return {QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath) + "/QtWebEngineProcess",
            QCoreApplication::applicationDirPath() + "/QtWebEngineProcess"};
}

// The resource folders the engine searches, the environment's first.
QStringList ResourceFileCandidates() {
    const QString data = QLibraryInfo::path(QLibraryInfo::DataPath);
    QStringList folders = {data + "/resources", data, QCoreApplication::applicationDirPath()};
    if (const QString set = qEnvironmentVariable("QTWEBENGINE_RESOURCES_PATH"); !set.isEmpty())
        folders.prepend(set);
    for (QString& folder : folders)
        folder += "/qtwebengine_resources.pak";
    return folders;
}

}  // namespace

void PrepareWebEngine() {
    if (qEnvironmentVariableIntValue("PORUKANO_DEBUG_WEBENGINE") == 0)
        QLoggingCategory::setFilterRules("qt.webenginecontext.info=false");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (deferredContext == nullptr && qt_gl_global_share_context() == nullptr) {
        deferredContext = new QOpenGLContext;
        qt_gl_set_global_share_context(deferredContext);
        // Before the application's end takes the platform the context was made on.
        qAddPostRoutine(DeleteDeferredContext);
    }
    RegisterPreviewScheme();
    if (geteuid() != 0)
        return;
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (flags.split(' ').contains("--no-sandbox"))
        return;
    if (!flags.isEmpty())
        flags += ' ';
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags + "--no-sandbox");
}

void StartSharedGraphicsContext() {
    if (deferredContext == nullptr || deferredContext->isValid())
        return;
    deferredContext->setScreen(QGuiApplication::primaryScreen());
    deferredContext->setFormat(QSurfaceFormat::defaultFormat());
    deferredContext->create();
}

bool WebEngineAvailable() {
    const QStringList processes = HelperProcessCandidates();
    const QStringList resources = ResourceFileCandidates();
    return std::any_of(processes.begin(), processes.end(),
                       [](const QString& path) {
                           const QFileInfo file(path);
                           return file.isFile() && file.isExecutable();
                       }) &&
           std::any_of(resources.begin(), resources.end(),
                       [](const QString& path) { return QFileInfo(path).isFile(); });
}
