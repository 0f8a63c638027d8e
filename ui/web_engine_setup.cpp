#include "ui/web_engine_setup.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLoggingCategory>
#include <QStringList>

#include <algorithm>

#include <unistd.h>

#include "ui/preview_web_page.h"

namespace {

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
