#include "ui/file_change_watcher.h"

#include <QFileInfo>

#include <sys/stat.h>

TFileChangeWatcher::TFileChangeWatcher(std::function<void()> changed, QObject* parent)
    : QObject(parent), changed_(std::move(changed)) {
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    connect(&settle_, &QTimer::timeout, this, [this] { Settle(); });
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this] {
        fileTouched_ = true;
        settle_.start();
    });
    // Every change in the folder, the program's own pages written beside the text among them;
    // Settle tells whether the file was one of them.
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { settle_.start(); });
}

void TFileChangeWatcher::Watch(const QString& path) {
    if (path == path_)
        return;
    settle_.stop();
    fileTouched_ = false;
    if (const QStringList watched = watcher_.files() + watcher_.directories(); !watched.isEmpty())
        watcher_.removePaths(watched);
    path_ = path;
    stamp_ = {};
    if (path_.isEmpty())
        return;
    stamp_ = StampOf(path_);
    const QString folder = QFileInfo(path_).absolutePath();
    if (QFileInfo(folder).isDir())
        watcher_.addPath(folder);
    if (stamp_.Exists)
        watcher_.addPath(path_);
}

TFileChangeWatcher::TStamp TFileChangeWatcher::StampOf(const QString& path) {
    struct stat status {};
    TStamp stamp;
    if (stat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return stamp;
    stamp.Exists = true;
    stamp.Device = status.st_dev;
    stamp.Inode = status.st_ino;
    stamp.Size = status.st_size;
    stamp.ModifiedNs = status.st_mtim.tv_sec * 1'000'000'000LL + status.st_mtim.tv_nsec;
    stamp.ChangedNs = status.st_ctim.tv_sec * 1'000'000'000LL + status.st_ctim.tv_nsec;
    return stamp;
}

void TFileChangeWatcher::Settle() {
    const TStamp now = StampOf(path_);
    // A file renamed over the watched one is a new file, which the watcher does not follow.
    if (now.Exists && !watcher_.files().contains(path_))
        watcher_.addPath(path_);
    const bool changed = now != stamp_ || (fileTouched_ && now.Exists);
    stamp_ = now;
    fileTouched_ = false;
    if (changed)
        changed_();
}
