#pragma once

// The effects dialog "Special Effects": eight frames selected by a row of
// label buttons, a text box and a vertical slider per parameter, the waveform
// and preset check boxes, and Apply. It shows and edits EffectsDialogValues,
// which the effects of every play and preview are built from. Modeless;
// closing it applies like the Apply button.

#include <QDialog>
#include <array>
#include <vector>

#include "effectsdialogvalues.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QStackedWidget;

namespace qn {

class EffectSlider;

class EffectsDialog : public QDialog {
    Q_OBJECT
  public:
    explicit EffectsDialog(EffectsDialogValues& values, QWidget* parent = nullptr);

    // Shows the frame of one effect, as its label button does.
    void showFrame(Effect effect);
    Effect currentFrame() const;
    QLineEdit* box(Effect effect, int index) const;
    EffectSlider* slider(Effect effect, int index) const;
    QPushButton* applyButton() const { return m_applyButton; }
    QPushButton* frameButton(Effect effect) const;

    enum class Check {
        PanDelay,
        ChorusSine,
        ChorusTriangle,
        FlangerSine,
        FlangerTriangle,
        GargleSine,
        GargleTriangle,
        BassBoost,
        NoiseReduction
    };
    QCheckBox* checkBox(Check which) const;

    // Shows what the values hold.
    void refresh();

  public slots:
    // The close box and Escape both end here: the values are limited first.
    void reject() override;

  private:
    QWidget* buildFrame(Effect effect);
    void addCheckBox(QWidget* frame, Check which, const QString& caption, int row, int column);
    void apply();
    void checkBoxClicked(Check which, bool checked);

    EffectsDialogValues& m_values;
    QStackedWidget* m_frames = nullptr;  // pages in frame position order
    // Indexed by Effect.
    std::array<std::vector<QLineEdit*>, kEffectCount> m_boxes;
    std::array<std::vector<EffectSlider*>, kEffectCount> m_sliders;
    std::array<QPushButton*, kEffectCount> m_frameButtons{};
    std::array<QCheckBox*, 9> m_checks{};
    QPushButton* m_applyButton = nullptr;
};

// The vertical slider of one parameter: a knob dragged along a 100-pixel track.
class EffectSlider : public QWidget {
    Q_OBJECT
  public:
    EffectSlider(EffectsDialogValues& values, Effect effect, int box, QWidget* parent = nullptr);
    QSize sizeHint() const override;
    int knobTop() const;  // pixels below the track's top

  signals:
    void moved();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    EffectsDialogValues& m_values;
    Effect m_effect;
    int m_box;
    bool m_dragging = false;
};

}  // namespace qn
