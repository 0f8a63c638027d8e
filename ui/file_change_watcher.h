// Tells when one file changes on disk, however it was changed: written in place, or replaced by
// another file renamed over it, as many editors save. The file and its folder are both watched,
// since a rename over the file shows only in its folder and the old file's watch goes with it.
// A burst of changes (an editor writing in several steps) comes out as one call, a moment after
// the last of them.
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class TFileChangeWatcher : public QObject {
  public:
    // How long the file must be quiet before changed is called.
    static constexpr int kSettleMs = 200;

    TFileChangeWatcher(std::function<void()> changed, QObject* parent);

    // Watches the file at path (which need not exist yet) instead of the one before; an empty
    // path watches nothing.
    void Watch(const QString& path);
    const QString& Path() const { return path_; }

  private:
    // What tells one version of the file from the next: its identity, size and time.
    struct TStamp {
        bool Exists = false;
        unsigned long long Device = 0;
        unsigned long long Inode = 0;
        long long Size = 0;
        long long ModifiedNs = 0;
        long long ChangedNs = 0;
        bool operator==(const TStamp&) const = default;
    };
    static TStamp StampOf(const QString& path);

    // After the burst: watches the file again when a rename replaced it, and calls changed when
    // the file is not as it was.
    void Settle();

    std::function<void()> changed_;
    QFileSystemWatcher watcher_;
    QTimer settle_;
    QString path_;
    TStamp stamp_;
    // The file itself reported a change, which its stamp may not show (a write within the
    // same clock tick).
    bool fileTouched_ = false;
};
