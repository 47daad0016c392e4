#pragma once

// Where printed pages go: a printer, a PDF file, or in tests a recorder.

#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QString>

#include "pagepainter.h"

class QPagedPaintDevice;

namespace qn::print {

class PageSink {
  public:
    virtual ~PageSink() = default;
    // One sheet with this page on it; false when the device failed (see error()).
    virtual bool printPage(const PageContent& page) = 0;
    // Ends the job; pages printed so far stay printed even after a failure.
    virtual bool finish() = 0;
    virtual QString error() const = 0;
};

// Pages painted onto a printer or a PDF writer, each scaled to the printable
// area of its sheet. The device must outlive the sink.
class DevicePageSink : public PageSink {
  public:
    explicit DevicePageSink(QPagedPaintDevice& device) : m_device(device) {}
    ~DevicePageSink() override;

    bool printPage(const PageContent& page) override;
    bool finish() override;
    QString error() const override { return m_error; }

  protected:
    bool fail(const QString& error);

  private:
    QPagedPaintDevice& m_device;
    QPainter m_painter;
    PagePainter m_pagePainter;
    bool m_started = false;
    QString m_error;
};

// A PDF file that replaces `path` only once every page was written: a failed
// run leaves no file behind.
class PdfFileSink : public PageSink {
  public:
    PdfFileSink(const QString& path, const QString& title);

    bool printPage(const PageContent& page) override;
    bool finish() override;
    QString error() const override;

  private:
    QSaveFile m_file;
    QPdfWriter m_writer;
    DevicePageSink m_pages;
    QString m_error;
};

}  // namespace qn::print
