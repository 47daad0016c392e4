// The full program, quillnote-app: the window and every command-line mode.
// Users start it through the small `quillnote` program, which runs the light
// modes itself and hands everything else over to this one.

#include <QApplication>
#include <QFontDatabase>
#include <QGuiApplication>
#include <cstdio>
#include <cstring>
#include <future>

#include "commandline.h"
#include "mainwindow.h"
#include "printpdfmode.h"
#include "rendermode.h"
#include "startupprobe.h"

namespace {

void describeApplication() {
    QCoreApplication::setOrganizationName(QStringLiteral("Quillnote"));
    QCoreApplication::setApplicationName(QStringLiteral("Quillnote"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUILLNOTE_VERSION));
}

}  // namespace

int main(int argc, char* argv[]) {
    // Printing lays out text, which needs the toolkit's fonts but no display.
    if (argc > 1 && std::strcmp(argv[1], qn::kPrintPdfOption) == 0) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        // Errors come as one "quillnote: " line; the toolkit's warnings about a
        // headless session (no runtime folder) would only bury it.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::fprintf(stderr, "%s\n", qUtf8Printable(text));
        });
        QGuiApplication app(argc, argv);
        describeApplication();
        return qn::runPrintPdf(QCoreApplication::arguments().mid(1));
    }
    // Options run without a window, and so without a display.
    if (argc > 1 && std::strncmp(argv[1], "--", 2) == 0) {
        QCoreApplication app(argc, argv);
        describeApplication();
        const QStringList arguments = QCoreApplication::arguments().mid(1);
        if (arguments.first() == QLatin1String(qn::kRenderOption)) return qn::runRender(arguments);
        return *qn::runCommandLine(arguments);
    }

    QApplication app(argc, argv);
    describeApplication();
    // Reading the system's font configuration takes about as long as building
    // the window; it runs meanwhile, and the first text measured waits for it.
    const auto fontsAhead = std::async(std::launch::async, [] { QFontDatabase::families(); });

    qn::StartOptions options;
    // The shell splits an unquoted path with blanks into several arguments.
    options.commandLine = QCoreApplication::arguments().mid(1).join(QLatin1Char(' '));
    // The desktop starts .msf files through the program the user runs.
    options.executablePath =
        qEnvironmentVariable("QUILLNOTE_EXECUTABLE", QCoreApplication::applicationFilePath());
    qn::MainWindow window(options);
    qn::watchFirstPaint(window);
    if (!window.start()) return 1;
    return QApplication::exec();
}
