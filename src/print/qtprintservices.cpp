#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "pagesink.h"
#include "printservices.h"

namespace qn::print {

bool QtPrintServices::hasPrinter() {
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

bool QtPrintServices::setupPrinter(QPrinter& printer) {
    QPrintDialog dialog(&printer, m_parent);
    dialog.setWindowTitle(QObject::tr("Print Setup"));
    // Pages and copies are the copies dialog's business.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    return dialog.exec() == QDialog::Accepted;
}

QString QtPrintServices::pdfInsteadOfPrinter(const QString& suggestedName) {
    const auto answer = QMessageBox::question(
        m_parent, QObject::tr("Print"),
        QObject::tr("There is no printer on this computer.\nPrint to a PDF file instead?"));
    if (answer != QMessageBox::Yes) return {};
    return QFileDialog::getSaveFileName(m_parent, QObject::tr("Print to PDF File"),
                                        QDir::home().filePath(suggestedName),
                                        QObject::tr("PDF Files (*.pdf)"));
}

std::unique_ptr<PageSink> QtPrintServices::openPrinter(QPrinter& printer) {
    return std::make_unique<DevicePageSink>(printer);
}

std::unique_ptr<PageSink> QtPrintServices::openPdf(const QString& path, const QString& title) {
    return std::make_unique<PdfFileSink>(path, title);
}

void QtPrintServices::showStatus(const QString& text) {
    if (m_status) m_status(text);
}

}  // namespace qn::print
