#include "previewpaging.h"

#include "pagelayout.h"

namespace qn::print {

void PreviewPaging::start(int songLength) {
    m_page = 1;
    m_pageStart = 0;
    m_previousEnabled = false;
    m_nextEnabled = songLength > kPageColumns;
}

bool PreviewPaging::next(int songLength) {
    if (m_pageStart + kPageColumns >= songLength) return false;
    m_pageStart += kPageColumns;
    ++m_page;
    if (m_pageStart + kPageColumns >= songLength) m_nextEnabled = false;
    m_previousEnabled = true;
    return true;
}

bool PreviewPaging::previous() {
    if (m_pageStart < kPageColumns) return false;
    m_pageStart -= kPageColumns;
    --m_page;
    if (m_page == 1) m_previousEnabled = false;
    m_nextEnabled = true;
    return true;
}

}  // namespace qn::print
