#include <QCoreApplication>
#include <cstdio>

#include "commandline.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Quillnote"));
    QCoreApplication::setApplicationName(QStringLiteral("Quillnote"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUILLNOTE_VERSION));

    if (const auto status = qn::runCommandLine(QCoreApplication::arguments().mid(1))) return *status;
    std::fputs("quillnote: the window is not part of this build; see --help\n", stderr);
    return 2;
}
