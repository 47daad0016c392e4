// Build step: draws the SVG pictures the window shows at its start into image
// files, with the program's own drawing code, so that the program decodes
// them instead of drawing the SVG at every start.
//
//   drawpictures SOURCE_DIR OUTPUT_DIR NAME:WIDTHxHEIGHT:HOW...
//
// NAME is an SVG file under SOURCE_DIR without ".svg" (e.g. toolbar/folder);
// HOW is on-white, stretched or fitted. Each picture goes to OUTPUT_DIR under
// the name the program looks for.

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QRegularExpression>
#include <cstdio>
#include <optional>

#include "svgdrawing.h"

namespace {

constexpr int kJpegQuality = 90;

std::optional<qn::Drawing> drawingNamed(const QString& how) {
    if (how == QLatin1String("on-white")) return qn::Drawing::OnWhite;
    if (how == QLatin1String("stretched")) return qn::Drawing::Stretched;
    if (how == QLatin1String("fitted")) return qn::Drawing::Fitted;
    return std::nullopt;
}

}  // namespace

int main(int argc, char* argv[]) {
    // The build's log shows this step's own errors only, not the toolkit's
    // notes about the headless session it runs in.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "%s\n", qUtf8Printable(text));
    });
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 3) {
        std::fprintf(stderr, "usage: drawpictures SOURCE_DIR OUTPUT_DIR NAME:WxH:HOW...\n");
        return 2;
    }
    const QDir source(arguments[1]);
    const QDir output(arguments[2]);
    static const QRegularExpression spec(QStringLiteral("^([^:]+):(\\d+)x(\\d+):([a-z-]+)$"));
    for (const QString& argument : arguments.mid(3)) {
        const QRegularExpressionMatch match = spec.match(argument);
        const std::optional<qn::Drawing> how = drawingNamed(match.captured(4));
        if (!match.hasMatch() || !how) {
            std::fprintf(stderr, "drawpictures: bad picture %s\n", qPrintable(argument));
            return 2;
        }
        const QString name = match.captured(1);
        const QSize size(match.captured(2).toInt(), match.captured(3).toInt());
        const QImage image =
            qn::drawSvg(source.filePath(name + QStringLiteral(".svg")), size, *how);
        const QString target = output.filePath(qn::drawnAheadName(name, size, *how));
        if (image.isNull() || !QDir().mkpath(QFileInfo(target).path()) ||
            !image.save(target, nullptr, *how == qn::Drawing::OnWhite ? kJpegQuality : -1)) {
            std::fprintf(stderr, "drawpictures: cannot draw %s into %s\n", qPrintable(argument),
                         qPrintable(target));
            return 1;
        }
    }
    return 0;
}
