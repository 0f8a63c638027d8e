#include "ui/batch_progress.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

namespace {

constexpr int kSteps = 1000;

QString Megabytes(std::uintmax_t bytes) {
    return QString::number(static_cast<double>(bytes) / 1e6, 'f', 1);
}

int StepOf(const TBatchProgress& progress) {
    if (progress.Bytes > 0)
        return static_cast<int>(progress.BytesDone * kSteps / progress.Bytes);
    return progress.Files == 0 ? kSteps
                               : static_cast<int>(progress.FilesDone * kSteps / progress.Files);
}

}  // namespace

QString BatchProgressText(const TBatchProgress& progress) {
    return QString::fromUtf8("ファイル %1 / %2（%3 / %4 MB）")
        .arg(progress.FilesDone)
        .arg(progress.Files)
        .arg(Megabytes(progress.BytesDone), Megabytes(progress.Bytes));
}

void FollowBatchInDialog(QWidget* parent, TBatchRun& run,
                         const std::function<void(const TBatchFile&, const TBatchResult&)>& done) {
    QProgressDialog dialog(QString::fromUtf8("変換しています…"), QString::fromUtf8("キャンセル"), 0,
                           kSteps, parent);
    dialog.setObjectName("dlgBatchProgress");
    dialog.setWindowTitle(QString::fromUtf8("一括変換"));
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    dialog.setMinimumDuration(0);
    QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, [&] {
        run.Cancel();
        dialog.setLabelText(QString::fromUtf8("キャンセルしています…"));
    });
    QEventLoop loop;
    QTimer tick;
    tick.setSingleShot(true);
    // One delivery at a time: a message box that done shows runs an event loop of its own, in
    // which the next tick must not deliver the next file's messages inside this one's.
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        const bool more = run.Deliver(done, std::chrono::milliseconds(0));
        const TBatchProgress progress = run.Progress();
        dialog.setValue(StepOf(progress));
        if (!dialog.wasCanceled())
            dialog.setLabelText(QString::fromUtf8("変換しています…\n") +
                                BatchProgressText(progress));
        if (more)
            tick.start(50);
        else
            loop.quit();
    });
    tick.start(0);
    loop.exec();
}
