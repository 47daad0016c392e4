#include <QApplication>
#include <cstring>

#include "commandline.h"
#include "mainwindow.h"
#include "pictures.h"

namespace {

void describeApplication() {
    QCoreApplication::setOrganizationName(QStringLiteral("Quillnote"));
    QCoreApplication::setApplicationName(QStringLiteral("Quillnote"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUILLNOTE_VERSION));
}

}  // namespace

int main(int argc, char* argv[]) {
    // Options run without a window, and so without a display.
    if (argc > 1 && std::strncmp(argv[1], "--", 2) == 0) {
        QCoreApplication app(argc, argv);
        describeApplication();
        return *qn::runCommandLine(QCoreApplication::arguments().mid(1));
    }

    QApplication app(argc, argv);
    describeApplication();
    QApplication::setWindowIcon(qn::applicationIcon());

    qn::StartOptions options;
    // The shell splits an unquoted path with blanks into several arguments.
    options.commandLine = QCoreApplication::arguments().mid(1).join(QLatin1Char(' '));
    options.executablePath = QCoreApplication::applicationFilePath();
    qn::MainWindow window(options);
    if (!window.start()) return 1;
    return QApplication::exec();
}
