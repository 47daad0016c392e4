#pragma once

// The effects dialog "Special Effects": eight frames selected by a row of
// label buttons, a text box and a vertical slider per parameter, the waveform
// and preset check boxes, and Apply. It shows and edits an EffectsForm, which
// the effects of every play and preview are built from. Modeless; closing it
// applies like the Apply button.

#include <QDialog>
#include <array>
#include <vector>

#include "effectsform.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QStackedWidget;

namespace qn {

class FxSlider;

class FXform : public QDialog {
    Q_OBJECT
  public:
    explicit FXform(EffectsForm& form, QWidget* parent = nullptr);

    // Shows the frame of one group, as its label button does.
    void showFrame(FxGroup group);
    FxGroup currentFrame() const;
    QLineEdit* box(FxGroup group, int index) const;
    FxSlider* slider(FxGroup group, int index) const;
    QPushButton* applyButton() const { return m_Command15; }
    QPushButton* frameButton(FxGroup group) const;

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

    // Shows what the form holds.
    void refresh();

  public slots:
    // The close box and Escape both end here: the values are limited first.
    void reject() override;

  private:
    QWidget* buildFrame(FxGroup group);
    void addCheckBox(QWidget* frame, Check which, const QString& caption, int row, int column);
    void apply();
    void checkBoxClicked(Check which, bool checked);

    EffectsForm& m_form;
    QStackedWidget* m_frames = nullptr;
    std::array<std::vector<QLineEdit*>, kFxGroups> m_boxes;
    std::array<std::vector<FxSlider*>, kFxGroups> m_sliders;
    std::array<QPushButton*, kFxGroups> m_frameButtons{};
    std::array<QCheckBox*, 9> m_checks{};
    QPushButton* m_Command15 = nullptr;
};

// The vertical slider of one parameter: a knob dragged along a 100-pixel track.
class FxSlider : public QWidget {
    Q_OBJECT
  public:
    FxSlider(EffectsForm& form, FxGroup group, int box, QWidget* parent = nullptr);
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
    EffectsForm& m_form;
    FxGroup m_group;
    int m_box;
    bool m_dragging = false;
};

}  // namespace qn
