// Test main for programs that create widgets: one QApplication for all tests,
// never on the user's screen or settings.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>

namespace {

// The offscreen platform warns about every top-level window it cannot resize
// to its hint; that says nothing about the program.
QtMessageHandler previousHandler = nullptr;

void filterMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("propagateSizeHints"))) return;
    previousHandler(type, context, message);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    previousHandler = qInstallMessageHandler(filterMessages);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("QuillnoteTests"));
    QApplication::setApplicationName(QStringLiteral("QuillnoteTests"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
