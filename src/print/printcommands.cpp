#include "printcommands.h"

#include <QFileInfo>
#include <QPrinter>

#include "copiesdialog.h"
#include "pagesink.h"
#include "previewwindow.h"
#include "printjob.h"

namespace qn::print {

PrintCommands::PrintCommands(Composition& c, InstrumentCaption instrument,
                             std::unique_ptr<PrintServices> services, QWidget* window)
    : QObject(window),
      m_composition(c),
      m_instrument(std::move(instrument)),
      m_services(std::move(services)),
      m_window(window) {}

PrintCommands::~PrintCommands() = default;

CopiesDialog* PrintCommands::copiesDialog() const {
    return m_dialog;
}

PreviewWindow* PrintCommands::previewWindow() const {
    return m_preview;
}

QPrinter& PrintCommands::printer() {
    if (!m_printer) m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

bool PrintCommands::printerChosenAsFile() {
    return m_printer && m_printer->outputFormat() == QPrinter::PdfFormat &&
           !m_printer->outputFileName().isEmpty();
}

void PrintCommands::Print_Click() {
    if (m_preview && m_preview->isVisible()) return;
    m_composition.ComputeSongLength();
    m_pageCount = PageCount(m_composition.SongLength);
    if (m_dialog && m_dialog->isVisible()) return;

    m_pdfPath.clear();
    if (!printerChosenAsFile() && !m_services->hasPrinter()) {
        const QString name =
            QFileInfo(QString::fromStdString(m_composition.DocName)).completeBaseName();
        m_pdfPath = m_services->pdfInsteadOfPrinter(name + QStringLiteral(".pdf"));
        if (m_pdfPath.isEmpty()) return;
    }

    if (!m_dialog) {
        m_dialog = new CopiesDialog(m_window);
        connect(m_dialog, &QDialog::accepted, this, &PrintCommands::printChosenPages);
    }
    m_dialog->setRange(QStringLiteral("1"), QString::number(m_pageCount));
    m_dialog->show();
    m_dialog->raise();
    m_dialog->activateWindow();
}

void PrintCommands::printChosenPages() {
    // OK is only enabled with whole numbers in a chosen range.
    const PageRange range = chosenRange(m_dialog->printAll(), m_dialog->fromPage().value_or(0),
                                        m_dialog->toPage().value_or(0), m_pageCount);
    const std::vector<int> pages = printOrder(range, m_dialog->copies());
    if (pages.empty()) {
        m_services->showStatus(tr("Nothing printed: the score has no pages %1 to %2.")
                                   .arg(range.first)
                                   .arg(range.last));
        return;
    }

    const QString title = QString::fromStdString(m_composition.DocName);
    std::unique_ptr<PageSink> sink;
    if (!m_pdfPath.isEmpty()) {
        sink = m_services->openPdf(m_pdfPath, title);
    } else {
        QPrinter& p = printer();
        p.setDocName(title);
        p.setCopyCount(1);  // each copy is printed as its own run of pages
        sink = m_services->openPrinter(p);
    }
    const PrintOutcome outcome = printPages(*sink, m_composition, m_instrument, pages);
    const QString printed =
        outcome.printed == 1 ? tr("1 page") : tr("%1 pages").arg(outcome.printed);
    if (!outcome.error.isEmpty())
        m_services->showStatus(tr("Printing stopped after %1: %2").arg(printed, outcome.error));
    else
        m_services->showStatus(tr("Printed %1.").arg(printed));
}

void PrintCommands::PrintPreview_Click() {
    if (m_dialog && m_dialog->isVisible()) return;
    if (!m_preview) m_preview = new PreviewWindow(m_composition, m_instrument, m_window);
    m_composition.ComputeSongLength();
    m_preview->startPreview();
}

void PrintCommands::PrintSetup_Click() {
    m_services->setupPrinter(printer());
}

}  // namespace qn::print
