#pragma once

// What the print commands ask of the desktop: printers, the printer dialog,
// a question and the status bar. The window uses the real ones; tests answer
// from a script and catch the pages.

#include <QString>
#include <functional>
#include <memory>

class QPrinter;
class QWidget;

namespace qn::print {

class PageSink;

class PrintServices {
  public:
    virtual ~PrintServices() = default;
    // Whether the desktop knows at least one printer.
    virtual bool hasPrinter() = 0;
    // The printer dialog on `printer`; false when cancelled (the printer is then unchanged).
    virtual bool setupPrinter(QPrinter& printer) = 0;
    // There is no printer: says so and offers a PDF file instead. The file
    // chosen, or an empty text when the user declines.
    virtual QString pdfInsteadOfPrinter(const QString& suggestedName) = 0;
    // Pages printed on `printer`, as configured.
    virtual std::unique_ptr<PageSink> openPrinter(QPrinter& printer) = 0;
    // Pages written into a PDF file.
    virtual std::unique_ptr<PageSink> openPdf(const QString& path, const QString& title) = 0;
    virtual void showStatus(const QString& text) = 0;
};

// Qt's printer dialog, message box and file dialog over `parent`.
class QtPrintServices : public PrintServices {
  public:
    QtPrintServices(QWidget* parent, std::function<void(const QString&)> status)
        : m_parent(parent), m_status(std::move(status)) {}

    bool hasPrinter() override;
    bool setupPrinter(QPrinter& printer) override;
    QString pdfInsteadOfPrinter(const QString& suggestedName) override;
    std::unique_ptr<PageSink> openPrinter(QPrinter& printer) override;
    std::unique_ptr<PageSink> openPdf(const QString& path, const QString& title) override;
    void showStatus(const QString& text) override;

  private:
    QWidget* m_parent;
    std::function<void(const QString&)> m_status;
};

}  // namespace qn::print
