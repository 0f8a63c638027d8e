// The window tests run the real widgets on Qt's offscreen platform unless another one is chosen.
#include <QApplication>

#include <gtest/gtest.h>

#include <cstring>

#include "tests/ui/preview_child.h"
#include "ui/web_engine_setup.h"

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Build machines and containers often lack the user namespaces the web engine's sandbox
    // needs; the tests load no page but their own.
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (argc == 2 && std::strcmp(argv[1], kPreviewChildArgument) == 0)
        return RunPreviewUntilSignalled(1, argv);
    PrepareWebEngine();
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
