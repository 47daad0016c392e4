#pragma once

// `quillnote --print-pdf IN.msf OUT.pdf [--pages FIRST-LAST]`: the printed
// score as a PDF file, without a window and without a display.

#include <QStringList>

namespace qn {

// `arguments` without the program name, starting with "--print-pdf"; the exit
// status. Needs a QGuiApplication (the offscreen platform will do).
int runPrintPdf(const QStringList& arguments);

}  // namespace qn
