// `quillnote`, the program users run. Exporting and dumping need only the
// model and Qt Core, so they run here and start as fast as a small converter;
// the window and rendering load the toolkit and the synthesiser, so they are
// handed to quillnote-app beside this program, with the same arguments.

#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <cerrno>
#include <cstring>

#include "commandline.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (const auto status = qn::runCommandLine(QCoreApplication::arguments().mid(1)))
        return *status;

    const QByteArray full = QFile::encodeName(QCoreApplication::applicationDirPath() +
                                              QStringLiteral("/quillnote-app"));
    qputenv("QUILLNOTE_EXECUTABLE", QFile::encodeName(QCoreApplication::applicationFilePath()));
    argv[0] = const_cast<char*>(full.constData());
    execv(full.constData(), argv);
    return qn::commandLineFailure(
        QStringLiteral("cannot start %1: %2")
            .arg(QString::fromLocal8Bit(full), QString::fromLocal8Bit(std::strerror(errno))),
        qn::kExitBadInput);
}
