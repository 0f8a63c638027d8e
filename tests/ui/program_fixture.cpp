#include "tests/ui/program_fixture.h"

#include <QApplication>
#include <QDropEvent>
#include <QUrl>
#include <QtTest/QTest>

#include <filesystem>

#include "engine/text/encoding.h"
#include "ui/Unit1.h"

TProgramTest::TProgramTest() {
    std::filesystem::create_directory(runtime_);
}

TProgramTest::~TProgramTest() {
    program_.reset();
}

void TProgramTest::Start(std::vector<std::string> arguments) {
    program_ = std::make_unique<TDesktopProgram>(platform_, std::move(arguments),
                                                 [this] { ++endRequests_; });
    program_->Main().show();
    // The start-up sequence runs from the event loop once the window is shown.
    QApplication::processEvents();
}

TfrmMain& TProgramTest::Main() {
    return program_->Main();
}

void TProgramTest::Tick(QAbstractButton* box) {
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(6, box->height() / 2));
}

void TProgramTest::Drop(QWidget& target, const std::vector<std::string>& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const std::string& path : paths)
        urls << QUrl::fromLocalFile(QString::fromStdString(path));
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &drop);
}

std::vector<std::string> TProgramTest::MessageTexts() const {
    return platform_.MessageTexts();
}

std::string ReadAsUtf8(const std::string& path) {
    return SjisToUtf8(ReadFileBytes(path));
}
