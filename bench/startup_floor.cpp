// The floor for bench/startup.sh: the same toolkit's plainest main window (a
// label in a QMainWindow), reported by the same first-paint probe. What it
// takes is the toolkit's and the window system's; the rest is the program's.

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

#include "startupprobe.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new QLabel(QStringLiteral("Quillnote")));
    window.resize(840, 640);
    qn::watchFirstPaint(window);
    window.show();
    return QApplication::exec();
}
