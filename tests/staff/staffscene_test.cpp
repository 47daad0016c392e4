#include "staff/staffscene.h"

#include <gtest/gtest.h>

#include <QGraphicsLineItem>
#include <QGraphicsProxyWidget>
#include <QGraphicsView>
#include <QImage>
#include <QPainter>
#include <QSlider>
#include <QTest>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "compositions.h"
#include "staff/clientscene.h"
#include "staff/glyphitem.h"
#include "staff/glyphpainter.h"
#include "staff/labelitem.h"
#include "staff/lyricbox.h"
#include "staff/staffpictures.h"
#include "staff/thumbitem.h"

namespace qn {
namespace {

using staff::kGlyphSlots;

// Drives the scene the way the window shows it: one view scaled to 1/15 pixel per twip.
class StaffSceneTest : public testing::Test {
  protected:
    StaffSceneTest() {
        view.setScene(&scene);
        view.scale(1 / 15.0, 1 / 15.0);
        view.resize(970, 688);
        view.show();
        view.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&view));
    }

    void fill(int track, int count) { test::fillTrack(c, track, count); }
    QPoint at(QPointF scenePos) const { return view.mapFromScene(scenePos); }
    void press(QPointF p) { QTest::mousePress(view.viewport(), Qt::LeftButton, {}, at(p)); }
    void move(QPointF p) { QTest::mouseMove(view.viewport(), at(p)); }
    void release(QPointF p) { QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, at(p)); }
    void click(QPointF p) { QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at(p)); }
    void type(const QString& text) { QTest::keyClicks(view.viewport(), text); }

    std::unique_ptr<Composition> owned = std::make_unique<Composition>();
    Composition& c = *owned;
    EditState e;
    ClientScene scene;
    StaffScene staff{scene, c, e};
    const staff::StaffItems& items = staff.items();
    QGraphicsView view;
};

TEST_F(StaffSceneTest, ExpandedScaleShowsTheGuideLinesAndBassClefItsPicture) {
    EXPECT_FALSE(items.staffLines[20]->isVisible());
    staff.setExpandedScale(true);
    for (int k = 20; k < 28; ++k)
        EXPECT_TRUE(items.staffLines[k]->isVisible()) << k;
    staff.BassClef_Click();
    EXPECT_TRUE(!items.clefs[1]->isVisible() && items.clefs[4]->isVisible());
    staff.setBassClef(false);
    EXPECT_TRUE(items.clefs[1]->isVisible() && !items.clefs[4]->isVisible());
}

TEST_F(StaffSceneTest, GlyphItemsShowTheControllersSlots) {
    fill(0, 25);
    fill(3, 20);
    c.NotePitch[3][19] = kRestPitch;
    staff.RedrawStaff();
    for (int g = 0; g < kGlyphSlots; ++g)
        EXPECT_EQ(items.glyph[g]->glyph(), staff.controller().glyph(g)) << g;
    EXPECT_EQ(items.glyph[79]->boundingRect().left(), 10500 - 15);
    staff.drawGlyph(80, 12, 0, 1);  // slot 80 is kept off the staff
    EXPECT_FALSE(items.glyph[80]->isVisible());
}

TEST_F(StaffSceneTest, LyricBoxesStoreTheirTextWhereItWasTyped) {
    fill(0, 100);  // so that the click on the background keeps the scroll position
    c.Lyrics[63] = "later";
    e.ScrollPos = 40;
    staff.RedrawStaff();
    int edited = 0;
    QObject::connect(&staff, &StaffScene::compositionEdited, [&] { ++edited; });
    // Synthesised presses do not move the focus by policy, so the box takes it directly.
    items.Lyric[2]->setFocus(Qt::MouseFocusReason);
    ASSERT_TRUE(items.Lyric[2]->hasFocus());
    type("hi");
    EXPECT_EQ(c.Lyrics[42], "");
    click(QPointF(6000, 9500));  // empty background
    EXPECT_FALSE(items.Lyric[2]->hasFocus());
    EXPECT_EQ(c.Lyrics[42], "hi");
    EXPECT_GE(edited, 1);

    // Typed when something else scrolls the staff (a piano entry, a player-piano
    // page): stored where it was typed before the row shows the new page.
    items.Lyric[3]->setFocus(Qt::MouseFocusReason);
    type("la");
    e.ScrollPos = 60;
    staff.RedrawStaff();
    EXPECT_EQ(std::tie(c.Lyrics[43], c.Lyrics[63]), std::make_tuple("la", "later"));
    EXPECT_EQ(items.Lyric[3]->text(), QStringLiteral("later"));
}

TEST_F(StaffSceneTest, ScrollButtonsStepAndRepeatWhileHeld) {
    fill(1, 100);
    staff.RedrawStaff();
    const QPointF forward(11160, 7320);
    click(forward);
    EXPECT_EQ(e.ScrollPos, 1);
    EXPECT_EQ(items.NoteNumber->text(), "2");

    press(forward);
    ASSERT_TRUE(QTest::qWaitFor([&] { return e.ScrollPos >= 5; }));
    release(forward);
    const int released = e.ScrollPos;
    QTest::qWait(50);  // time for the repeat timer to fire, were it still running
    EXPECT_EQ(e.ScrollPos, released);

    click(QPointF(720, 7320));
    EXPECT_EQ(e.ScrollPos, released - 1);
}

TEST_F(StaffSceneTest, LabelsTakeTheirClicksAwayFromTheBackground) {
    std::vector<std::string> events;
    const auto record = [&](const char* what) {
        return [&events, what](int t) { events.push_back(what + std::to_string(t)); };
    };
    QObject::connect(&staff, &StaffScene::activeTrackChanged, record("track "));
    QObject::connect(&staff, &StaffScene::instrumentLabelClicked, record("instrument "));
    QObject::connect(&staff, &StaffScene::backgroundMouseUp, [&] { events.push_back("up"); });
    QObject::connect(&staff, &StaffScene::backgroundClicked, [&] { events.push_back("click"); });
    click(QPointF(120, 4320 + 120));
    EXPECT_EQ(items.Bar[2]->textColour(), QColor(0, 0, 0));
    EXPECT_EQ(items.Bar[0]->textColour(), QColor(160, 160, 160));
    staff.setInstrumentLabel(1, "25  Steel Guitar", "25");
    click(QPointF(11100, 3000 + 100));
    click(QPointF(6000, 9500));
    // Staff lines and glyphs take no press: a click on a line or a head is a
    // background click, in the band of track 0; the head is dropped where it lies.
    click(QPointF(5000, 1680));
    fill(0, 5);
    staff.RedrawStaff();
    const staff::GlyphState head = items.glyph[3]->glyph();
    click(QPointF(head.headX + 60, head.headY + 45));
    EXPECT_TRUE(c.Modified);
    EXPECT_EQ(events, (std::vector<std::string>{"track 2", "instrument 1", "up", "click", "track 0",
                                                "up", "click", "up", "click"}));
}

TEST_F(StaffSceneTest, BandDragSelectsOnceTheTrackerHasSeenThePointer) {
    fill(2, 20);
    press(QPointF(1500, 4400));
    EXPECT_TRUE(items.buffer[0]->isVisible());
    move(QPointF(2505, 5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return items.buffer[2]->line().x1() > 2400; }));
    release(QPointF(2505, 5000));
    EXPECT_FALSE(items.buffer[0]->isVisible());
    EXPECT_EQ(std::tie(e.SelActive, e.SelTrackFrom, e.SelStart, e.SelEnd),
              std::make_tuple(true, 2, 1, 2));
    EXPECT_EQ(items.glyph[41]->glyph().colour, staff::GlyphColour::Red);
}

TEST_F(StaffSceneTest, VelocityLabelAndThumbRespondToTheMouse) {
    fill(1, 60);
    staff.RedrawStaff();
    staff.setNoteVolumeSlider(42);
    EXPECT_FALSE(c.Modified);
    EXPECT_EQ(staff.noteVolume(), 42);
    items.NoteVolume->setValue(41);  // a user's change runs the slider's handling
    EXPECT_EQ(e.DefaultVelocity, 41);

    click(QPointF(staff::volumeLabelLeft(4) + 100, 3620 + 100));
    EXPECT_EQ(c.NoteVelocity[1][4], 41);
    EXPECT_TRUE(c.Modified);

    const double left = items.SliderBar->pos().x();
    press(QPointF(left + 150, 7300));
    move(QPointF(left + 150 + 3000, 7300));
    release(QPointF(left + 150 + 3000, 7300));
    EXPECT_GT(e.ScrollPos, 15);
    EXPECT_DOUBLE_EQ(items.SliderBar->pos().x(), staff.controller().thumb().left);
}

TEST_F(StaffSceneTest, LongSongsKeepAGrabbableThumbAndLyricsShowTheirStart) {
    fill(0, 10001);
    c.Lyrics[10000] = "w9991 and more words";
    e.ScrollPos = 10001 - 20;
    staff.RedrawStaff();
    const QRectF thumb = items.SliderBar->sceneBoundingRect();
    EXPECT_GE(thumb.width(), 150);  // ten pixels
    EXPECT_LE(thumb.right(), staff::kTroughX + staff::kTroughWidth);
    EXPECT_EQ(items.Lyric[19]->cursorPosition(), 0);
}

TEST_F(StaffSceneTest, DestroyingTheStaffRemovesItsItems) {
    const int before = scene.items().size();
    auto extra = std::make_unique<StaffScene>(scene, c, e);
    EXPECT_GT(scene.items().size(), before + 200);
    extra.reset();
    EXPECT_EQ(scene.items().size(), before);
}

TEST(StaffSceneLifetime, StaffOutlivingItsSceneIgnoresCallsAndDeletesNothing) {
    auto c = std::make_unique<Composition>();
    EditState e;
    QObject owner;
    auto* scene = new ClientScene;
    auto* staff = new StaffScene(*scene, *c, e, &owner);
    staff->items().Lyric[3]->setFocus();
    delete scene;
    c->NoteCount[0] = 3;
    staff->RedrawStaff();
    staff->trackLabelClick(1);
    EXPECT_EQ(e.ActiveTrack, 0);
    delete staff;
}

TEST(GlyphPainting, HeadsAreFilledOrHollowInTheNoteColour) {
    staff::GlyphState g;
    g.headX = g.headY = 100;
    g.headVisible = g.headFilled = true;
    g.velocityText = "88";
    g.labelY = 400;
    g.colour = staff::GlyphColour::Red;
    const auto render = [](const staff::GlyphState& glyph) {
        QImage image(60, 60, QImage::Format_ARGB32);  // 1 pixel = 15 twips
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.scale(1 / 15.0, 1 / 15.0);
        staff::paintGlyph(painter, glyph);
        return image;
    };
    const QPoint centre(13, 12);  // middle of the head box, pixels
    QImage image = render(g);
    EXPECT_EQ(image.pixelColor(centre), QColor(255, 0, 0));
    QImage noLabel(25, 17, image.format());
    noLabel.fill(Qt::transparent);
    EXPECT_NE(image.copy(0, 27, 25, 17), noLabel);

    g.headFilled = false;
    image = render(g);
    EXPECT_EQ(image.pixelColor(centre).alpha(), 0);
    EXPECT_EQ(image.pixelColor(QPoint(7, 12)).red(), 255);  // the outline's left edge
}

}  // namespace
}  // namespace qn
