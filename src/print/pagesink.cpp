#include "pagesink.h"

#include <QLocale>
#include <QPageLayout>

namespace qn::print {

DevicePageSink::~DevicePageSink() {
    if (m_painter.isActive()) m_painter.end();
}

bool DevicePageSink::fail(const QString& error) {
    m_error = error;
    return false;
}

bool DevicePageSink::printPage(const PageContent& page) {
    if (!m_started) {
        if (!m_painter.begin(&m_device))
            return fail(QStringLiteral("The printer could not be started."));
        m_started = true;
    } else if (!m_device.newPage()) {
        return fail(QStringLiteral("The printer refused page %1.").arg(page.page));
    }
    // The device's size is its printable area, in its own pixels.
    m_pagePainter.paintFitted(m_painter, page, QRectF(0, 0, m_device.width(), m_device.height()));
    return true;
}

bool DevicePageSink::finish() {
    if (m_painter.isActive() && !m_painter.end())
        return fail(QStringLiteral("The printer did not take the last page."));
    return m_error.isEmpty();
}

namespace {

// A4, or Letter where the locale measures in inches.
QPageSize localPaper() {
    return QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize(QPageSize::Letter)
                                                                      : QPageSize(QPageSize::A4);
}

}  // namespace

PdfFileSink::PdfFileSink(const QString& path, const QString& title)
    : m_file(path), m_writer(&m_file), m_pages(m_writer) {
    m_writer.setPageLayout(QPageLayout(localPaper(), QPageLayout::Portrait,
                                       QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
    m_writer.setTitle(title);
    m_writer.setCreator(QStringLiteral("Quillnote"));
    if (!m_file.open(QIODevice::WriteOnly))
        m_error = QStringLiteral("cannot write %1: %2").arg(path, m_file.errorString());
}

bool PdfFileSink::printPage(const PageContent& page) {
    return m_error.isEmpty() && m_pages.printPage(page);
}

bool PdfFileSink::finish() {
    if (!m_error.isEmpty()) return false;
    if (!m_pages.finish()) return false;
    if (!m_file.commit())
        m_error =
            QStringLiteral("cannot write %1: %2").arg(m_file.fileName(), m_file.errorString());
    return m_error.isEmpty();
}

QString PdfFileSink::error() const {
    return m_error.isEmpty() ? m_pages.error() : m_error;
}

}  // namespace qn::print
