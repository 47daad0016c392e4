#pragma once

// Page stepping of the print preview: which page shows and whether Next and
// Previous may be pressed. No widgets.

namespace qn::print {

class PreviewPaging {
  public:
    // Page 1; Next only when the song has more than 20 notes.
    void start(int songLength);
    // True when the page changed. `songLength` is the composition's current one.
    bool next(int songLength);
    bool previous();

    int page() const { return m_page; }
    int pageStart() const { return m_pageStart; }
    bool nextEnabled() const { return m_nextEnabled; }
    bool previousEnabled() const { return m_previousEnabled; }

  private:
    int m_page = 1;
    int m_pageStart = 0;
    bool m_nextEnabled = false;
    bool m_previousEnabled = false;
};

}  // namespace qn::print
