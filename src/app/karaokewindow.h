#pragma once

// The karaoke window: five lyric labels and a red ball under the word being
// sung. Playback fills and shows it; the clock moves the ball and refills the
// labels. It is a top-level window, not modal; a click anywhere hides it.
// Positions are given in twips (1/15 pixel). UI thread only.

#include <QWidget>
#include <array>
#include <string>

#include "sound/playback/playbackdisplay.h"

class QLabel;

namespace qn {

class KaraokeWindow : public QWidget {
    Q_OBJECT
  public:
    explicit KaraokeWindow(QWidget* parent = nullptr);

    QLabel* VocLabel(int i) const { return m_labels.at(i); }
    QWidget* Ball() const { return m_ball; }

    void setLabels(const std::array<std::string, kKaraokeLabels>& texts);
    void setBallLeft(int twips);
    // The karaoke part of a display change: labels, ball and showing.
    void apply(const DisplayChanges& changes);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    std::array<QLabel*, kKaraokeLabels> m_labels{};
    QWidget* m_ball = nullptr;
};

}  // namespace qn
