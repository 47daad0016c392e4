// Test main for programs that need Qt's event loop (timers) but no widgets:
// one QCoreApplication for all tests, never the user's settings.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QStandardPaths>

int main(int argc, char* argv[]) {
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("QuillnoteTests"));
    QCoreApplication::setApplicationName(QStringLiteral("QuillnoteTests"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
