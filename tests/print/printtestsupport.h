#pragma once

// Compositions of a given shape, and the page sinks and desktop that the
// print commands see in tests.

#include <memory>
#include <vector>

#include "compositions.h"
#include "print/pagesink.h"
#include "print/printservices.h"

namespace qn::test {

// Track t holds counts[t] notes made by fillTrack, and lyric i reads "w<i>".
inline std::unique_ptr<Composition> shapedComposition(std::array<int, kTrackCount> counts) {
    auto c = std::make_unique<Composition>();
    for (int t = 0; t < kTrackCount; ++t)
        fillTrack(*c, t, counts[t]);
    for (int i = 0; i < kNoteSlots; ++i)
        c->Lyrics[i] = QStringLiteral("w%1").arg(i).toStdString();
    c->ComputeSongLength();
    return c;
}

// Records the numbers of the pages it gets; refuses every page after `failAfter`.
class RecordingSink : public print::PageSink {
  public:
    explicit RecordingSink(std::vector<int>& pages, size_t failAfter = SIZE_MAX)
        : m_pages(pages), m_failAfter(failAfter) {}
    bool printPage(const print::PageContent& page) override {
        if (m_pages.size() >= m_failAfter) return false;
        m_pages.push_back(page.page);
        return true;
    }
    bool finish() override { return m_pages.size() < m_failAfter; }
    QString error() const override { return QStringLiteral("paper jam"); }

  private:
    std::vector<int>& m_pages;
    size_t m_failAfter;
};

class ScriptedPrintServices : public print::PrintServices {
  public:
    bool printerPresent = true;
    QString pdfAnswer;  // the file chosen when offered a PDF instead
    std::vector<int> printerPages;
    std::vector<int> pdfPages;
    QStringList asked;  // "pdf|suggested name", "pdf file|path"

    bool hasPrinter() override { return printerPresent; }
    bool setupPrinter(QPrinter&) override { return false; }
    QString pdfInsteadOfPrinter(const QString& name) override {
        asked << QStringLiteral("pdf|") + name;
        return pdfAnswer;
    }
    std::unique_ptr<print::PageSink> openPrinter(QPrinter&) override {
        return std::make_unique<RecordingSink>(printerPages);
    }
    std::unique_ptr<print::PageSink> openPdf(const QString& path, const QString&) override {
        asked << QStringLiteral("pdf file|") + path;
        return std::make_unique<RecordingSink>(pdfPages);
    }
    void showStatus(const QString&) override {}
};

}  // namespace qn::test
