// Window tests run the real widgets on Qt's offscreen platform, so they need no display. They run
// in a fresh temporary folder, where the game may write its settings and record files.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include "platform/main_window.h"

namespace {

QtMessageHandler g_defaultHandler = nullptr;

// The offscreen platform warns about window-manager features it lacks; keep the output readable.
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("does not support"))) return;
    if (g_defaultHandler) g_defaultHandler(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    g_defaultHandler = qInstallMessageHandler(quietHandler);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    zorvan::applyGameFont();
    QTemporaryDir folder;
    if (folder.isValid()) QDir::setCurrent(folder.path());
    return RUN_ALL_TESTS();
}
