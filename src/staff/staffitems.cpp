#include "staffitems.h"

#include <QGraphicsLineItem>
#include <QGraphicsProxyWidget>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QPushButton>
#include <QSlider>
#include <cmath>

#include "glyphitem.h"
#include "glyphstate.h"
#include "labelitem.h"
#include "lyricbox.h"
#include "lyricrow.h"
#include "staffpictures.h"
#include "thumbitem.h"
#include "twipwidget.h"

namespace qn::staff {

namespace {

// Stacking inside the staff area: lines and pictures below the notes, the
// clickable label boxes above them, the selection rectangle on top.
constexpr double kLineZ = 1;
constexpr double kGlyphZ = 2;
constexpr double kLabelZ = 3;
constexpr double kBandZ = 4;

constexpr int kSliderWidth = 3000;
constexpr int kSliderHeight = 300;
constexpr int kSliderY = 7800;
constexpr int kSliderCaptionY = 7620;
constexpr int kDivisionSliderX = 960;
constexpr int kNoteVolumeX = 4440;

class Builder {
  public:
    Builder(QGraphicsScene& scene, StaffItems& items) : m_scene(scene), m_items(items) {}

    template <typename Item>
    Item* add(Item* item, double x, double y, double z) {
        item->setPos(x, y);
        item->setZValue(z);
        m_scene.addItem(item);
        m_items.all.push_back(item);
        return item;
    }

    QGraphicsLineItem* line(double x1, double y1, double x2, double y2, const QPen& pen) {
        auto* item = add(new QGraphicsLineItem(x1, y1, x2, y2), 0, 0, kLineZ);
        item->setPen(pen);
        item->setAcceptedMouseButtons(Qt::NoButton);
        return item;
    }

    LabelItem* label(double x, double y, double width, double height, const QString& text,
                     double z = kLabelZ) {
        auto* item = add(new LabelItem(width, height), x, y, z);
        item->setText(text);
        return item;
    }

    // A widget of `width` x `height` twips; it is drawn at its pixel size and
    // scaled with the rest of the client area.
    template <typename Widget>
    Widget* widget(Widget* w, int x, int y, int width, int height) {
        QGraphicsProxyWidget* proxy = placeWidget(m_scene, w, x, y, width, height);
        proxy->setZValue(kLabelZ);
        m_items.all.push_back(proxy);
        return w;
    }

  private:
    QGraphicsScene& m_scene;
    StaffItems& m_items;
};

QPen pixelPen(const QColor& colour, Qt::PenStyle style = Qt::SolidLine) {
    QPen pen(colour, kTwipsPerPixel, style);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

void createStaves(Builder& b, StaffItems& items) {
    const QPen black = pixelPen(Qt::black);
    const QPen guide = pixelPen(QColor(64, 64, 64), Qt::DashLine);
    for (int t = 0; t < kStaffCount; ++t) {
        for (int k = 0; k < 5; ++k) {
            const int y = staffLineY(t, k);
            items.staffLines[kStaffLineItem[t][k]] = b.line(kStaffLeft, y, kStaffRight, y, black);
        }
        const int top = staffLineY(t, 0);
        const int bottom = staffLineY(t, 4);
        items.edgeLines[2 * t] = b.line(kStaffLeft, top, kStaffLeft, bottom, black);
        items.edgeLines[2 * t + 1] = b.line(kStaffRight, top, kStaffRight, bottom, black);
        for (int k = 0; k < 2; ++k) {
            const int y = k == 0 ? kGuideLineY[t].low : kGuideLineY[t].high;
            QGraphicsLineItem* line = b.line(kGuideLeft, y, kGuideRight, y, guide);
            line->setVisible(false);
            items.staffLines[20 + 2 * t + k] = line;
        }
        items.clefs[t] = b.add(new PictureItem(trebleClefPicture()), kClefX, kClefTop[t], kLineZ);
    }
    items.clefs[4] = b.add(new PictureItem(bassClefPicture()), kClefX, kBassClefY, kLineZ);
    items.clefs[4]->setVisible(false);
}

void createLabels(Builder& b, StaffItems& items) {
    for (int t = 0; t < kStaffCount; ++t) {
        LabelItem* bar =
            b.label(0, staffLineY(t, 0), kTrackLabelSize, kTrackLabelSize, QString::number(t + 1));
        bar->setFont(staffFont(12, true));
        bar->setAlignment(Qt::AlignCenter);
        bar->setToolTip(QStringLiteral("Track (click to set)"));
        bar->setClickable(true);
        items.Bar[t] = bar;

        LabelItem* octave = b.label(0, staffLineY(t, 4), kTrackLabelSize, kTrackLabelSize, {});
        octave->setAlignment(Qt::AlignCenter);
        octave->setToolTip(QStringLiteral("Octave (click to set)"));
        octave->setClickable(true);
        items.OctLabel[t] = octave;

        LabelItem* instrument = b.label(kInstLabelX, staffLineY(t, 1), 3375, kTrackLabelSize, {});
        instrument->setClickable(true);
        items.InstLabel[t] = instrument;

        items.volCaption[t] =
            b.label(kClefX, kVolCaptionY[t], 375, kLabelHeight, QStringLiteral("Vol"));
    }
}

void createGlyphSlots(Builder& b, StaffItems& items) {
    for (int g = 0; g < kGlyphSlots; ++g) {
        items.glyph[g] = b.add(new GlyphItem, 0, 0, kGlyphZ);
        const GlyphState initial = initialGlyphState(screenGlyphLayout(), g);
        items.glyph[g]->setGlyph(initial);
        LabelItem* hotspot = b.label(initial.labelX, initial.labelY, kLabelWidth, kLabelHeight, {});
        hotspot->setToolTip(QStringLiteral("Click to set volume"));
        hotspot->setClickable(true);
        items.VolLabel[g] = hotspot;
    }
    // Slot 80 has items like every slot but no place on the staff.
    items.glyph[kStaffSlots]->setVisible(false);
    items.VolLabel[kStaffSlots]->setVisible(false);
}

void createScrollBar(Builder& b, StaffItems& items) {
    auto* lyrics = b.add(new LyricRow, lyricLeft(0), kLyricY, kLabelZ);
    lyrics->setScale(kTwipsPerPixel);
    for (int c = 0; c < kColumns; ++c)
        items.Lyric[c] = lyrics->box(c);
    items.NoteNumber = b.label(kNoteNumberX, kNoteNumberY, 1500, 240, QStringLiteral("1"));

    const int buttonPixels = kScrollButtonSize / kTwipsPerPixel;
    const auto scrollButton = [&](int x, Qt::ArrowType arrow, const QString& name,
                                  const QString& tip) {
        auto* button = new QPushButton;
        button->setObjectName(name);
        button->setToolTip(tip);
        button->setIcon(arrowIcon(arrow, buttonPixels));
        button->setIconSize(QSize(buttonPixels - 8, buttonPixels - 8));
        // Taking the focus on a click stores a lyric being typed before the row scrolls.
        button->setFocusPolicy(Qt::StrongFocus);
        return b.widget(button, x, kScrollButtonY, kScrollButtonSize, kScrollButtonSize);
    };
    items.ScrollBack = scrollButton(kScrollBackX, Qt::LeftArrow, QStringLiteral("ScrollBack"),
                                    QStringLiteral("Scroll Left"));
    items.ScrollUp = scrollButton(kScrollUpX, Qt::RightArrow, QStringLiteral("ScrollUp"),
                                  QStringLiteral("Scroll Right"));

    items.LocBox =
        b.add(new QGraphicsRectItem(0, 0, kTroughWidth, kTroughHeight), kTroughX, kTroughY, kLineZ);
    items.LocBox->setPen(Qt::NoPen);
    items.LocBox->setBrush(QColor(192, 255, 192));
    items.LocBox->setAcceptedMouseButtons(Qt::NoButton);
    items.SliderBar = b.add(new ThumbItem, kTroughX, kTroughY, kGlyphZ);
    items.SliderBar->setGeometry(kTroughX, kTroughWidth);
}

void createBand(Builder& b, StaffItems& items) {
    QPen dotted = pixelPen(QColor(0, 128, 0), Qt::DotLine);
    for (QGraphicsLineItem*& line : items.buffer) {
        line = b.line(0, 0, 0, 0, dotted);
        line->setZValue(kBandZ);
        line->setVisible(false);
    }
}

QSlider* slider(Builder& b, int x, int low, int high, const QString& name, const QString& tip,
                const QString& caption) {
    b.label(x, kSliderCaptionY, kSliderWidth, kSliderY - kSliderCaptionY, caption);
    auto* s = new QSlider(Qt::Horizontal);
    s->setObjectName(name);
    s->setRange(low, high);
    s->setToolTip(tip);
    s->setAttribute(Qt::WA_TranslucentBackground);  // the window's picture shows around the groove
    return b.widget(s, x, kSliderY, kSliderWidth, kSliderHeight);
}

}  // namespace

StaffItems createStaffItems(QGraphicsScene& scene) {
    StaffItems items;
    Builder b(scene, items);
    createStaves(b, items);
    createLabels(b, items);
    createGlyphSlots(b, items);
    createScrollBar(b, items);
    createBand(b, items);
    items.divisionSlider = slider(b, kDivisionSliderX, 16, 127, QStringLiteral("DivControl"),
                                  QStringLiteral("Set the Tempo"), QStringLiteral("Tempo"));
    items.NoteVolume =
        slider(b, kNoteVolumeX, 1, 127, QStringLiteral("NoteVolume"),
               QStringLiteral("Set Volume of a note"), QStringLiteral("Note volume"));
    return items;
}

}  // namespace qn::staff
