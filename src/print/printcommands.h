#pragma once

// The window's print commands: Print (copies dialog, then pages on the
// printer), Print Preview and Print Setup. They read the composition and
// never change it. UI thread only.

#include <QObject>
#include <QPointer>
#include <memory>

#include "pagecontent.h"
#include "printservices.h"

class QPrinter;
class QWidget;

namespace qn::print {

class CopiesDialog;
class PreviewWindow;

class PrintCommands : public QObject {
    Q_OBJECT
  public:
    // `window` parents the dialog and the preview; the composition must outlive
    // any use of the commands.
    PrintCommands(Composition& c, InstrumentCaption instrument,
                  std::unique_ptr<PrintServices> services, QWidget* window);
    ~PrintCommands() override;

    void Print_Click();
    void PrintPreview_Click();
    void PrintSetup_Click();

    // Created on first use, then kept hidden between commands; null before.
    CopiesDialog* copiesDialog() const;
    PreviewWindow* previewWindow() const;

  private:
    void printChosenPages();
    QPrinter& printer();
    bool printerChosenAsFile();

    Composition& m_composition;
    InstrumentCaption m_instrument;
    std::unique_ptr<PrintServices> m_services;
    QWidget* m_window;
    std::unique_ptr<QPrinter> m_printer;
    QPointer<CopiesDialog> m_dialog;
    QPointer<PreviewWindow> m_preview;
    int m_pageCount = 1;  // of the score when the dialog opened
    QString m_pdfPath;    // without a printer: the PDF file of this print
};

}  // namespace qn::print
