#include "app/settings.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>
#include <memory>
#include <utility>
#include <vector>

namespace {

using qn::Settings;
using Values = std::vector<std::pair<QString, QString>>;  // key, stored text

class SettingsTest : public ::testing::Test {
  protected:
    void put(const Values& values) {
        m_store->beginGroup("Properties");
        for (const auto& [key, text] : values)
            m_store->setValue(key, text);
        m_store->endGroup();
    }

    // The group as a fresh reader of the file sees it, one "key=text" a line
    // in key order.
    std::string stored() const {
        QSettings reader(m_dir.filePath("quillnote.ini"), QSettings::IniFormat);
        reader.beginGroup("Properties");
        QStringList lines;
        for (const QString& key : reader.childKeys())
            lines.append(key + '=' + reader.value(key).toString());
        lines.sort();
        return lines.join('\n').toStdString();
    }

    QString loadLaterRun(Settings& settings, const Values& values) {
        put(values);
        put({{"RegLoaded", "True"}});
        return settings.load(*m_store, [] { return QString("registered on a later run"); });
    }

    QTemporaryDir m_dir;
    std::unique_ptr<QSettings> m_store =
        std::make_unique<QSettings>(m_dir.filePath("quillnote.ini"), QSettings::IniFormat);
};

// Values that no case below expects, so "unchanged" is visible.
Settings baseline() {
    return {.BackgroundImage = 7,
            .BackgroundFile = "/kept.png",
            .BackColorValue = 0x123456,
            .TrackInstrument = {1, 2, 3, 4},
            .TeachMode = true};
}

// A first run registers the program and writes the defaults over what is stored;
// the marker is compared ignoring case.
TEST_F(SettingsTest, MarkerDecidesTheFirstRun) {
    Settings failed;
    EXPECT_EQ(failed.load(*m_store, [] { return QString("Access denied"); }), "Access denied");
    EXPECT_EQ(stored(), "");
    EXPECT_EQ(failed, Settings());

    const Settings defaults{.BackgroundImage = 106,
                            .BackgroundFile = {},
                            .BackColorValue = 0xFFFFFF,
                            .TrackInstrument = {0, 25, 18, 118},
                            .TeachMode = true};
    const std::pair<const char*, bool> cases[] = {{"True", false}, {"TRUE", false}, {"true", false},
                                                  {"", true},      {"False", true}, {"Yes", true}};
    for (const auto& [marker, firstRun] : cases) {
        m_store->clear();
        put({{"RegLoaded", marker}, {"teachmode", "False"}});
        int registrations = 0;
        Settings settings;
        settings.load(*m_store, [&] {
            ++registrations;
            return QString();
        });
        EXPECT_EQ(registrations, firstRun ? 1 : 0) << marker;
        EXPECT_EQ(settings, firstRun ? defaults : Settings()) << marker;
        if (firstRun) {
            EXPECT_EQ(stored(),
                      "RegLoaded=True\nbackcolor=ffffff\nimage=106\ninst0=00\ninst1=25\ninst2=18\n"
                      "inst3=118\nkaromode=false\nplayerpianomode=false\nteachmode=true");
        }
    }
}

// The picture file is read only for picture 255, which the save test reads back.
TEST_F(SettingsTest, LaterRunConvertsEachKeyAndSkipsDamagedValues) {
    const Values later = {{"image", "104"},       {"background", "/ignored.jpg"},
                          {"backcolor", "c0fEE"}, {"inst0", "00"},
                          {"inst3", "127"},       {"teachmode", "False"},
                          {"karomode", "tRUE"},   {"playerpianomode", "true"}};
    Settings settings = baseline();
    EXPECT_TRUE(loadLaterRun(settings, later).isEmpty());
    Settings want = baseline();
    want.BackgroundImage = 104;
    want.BackColorValue = 0xC0FEE;
    want.TrackInstrument = {0, 2, 3, 127};
    want.TeachMode = false;
    want.KaraokeMode = want.PlayerPianoMode = true;
    EXPECT_EQ(settings, want);

    // Values that do not convert leave their variables unchanged.
    const Values cases = {
        {"inst2", ""},         {"inst1", "128"},         {"inst0", "-1"},   {"inst0", "1.5"},
        {"image", "300"},      {"image", "-1"},          {"image", "x"},    {"backcolor", "zz"},
        {"backcolor", "&HFF"}, {"backcolor", "1000000"}, {"backcolor", ""}, {"teachmode", "yes"},
        {"karomode", "0"}};
    for (const auto& [key, text] : cases) {
        m_store->clear();
        Settings kept = baseline();
        loadLaterRun(kept, {{key, text}});
        EXPECT_EQ(kept, baseline()) << key.toStdString() << " " << text.toStdString();
    }
}

TEST_F(SettingsTest, SaveWritesTheShutdownForms) {
    const Settings settings{.BackgroundImage = 255,
                            .BackgroundFile = "/pictures/my hall.png",
                            .BackColorValue = 255,
                            .TrackInstrument = {0, 25, 18, 118},
                            .TeachMode = true,
                            .PlayerPianoMode = true};
    settings.save(*m_store);
    EXPECT_EQ(stored(),
              "backcolor=FF\nbackground=/pictures/my hall.png\nimage=255\ninst0=0\ninst1=25\n"
              "inst2=18\ninst3=118\nkaromode=False\nplayerpianomode=True\nteachmode=True");

    // What save writes, the next start reads back unchanged.
    Settings again;
    EXPECT_TRUE(loadLaterRun(again, {}).isEmpty());
    EXPECT_EQ(again, settings);
}

TEST(SettingsColour, RgbNumberHasRedInTheLowByte) {
    Settings settings;
    settings.BackColorValue = 255;
    EXPECT_EQ(settings.backColor(), QColor(255, 0, 0));
    settings.setBackColor(QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(settings.BackColorValue, 0x563412u);
}

}  // namespace
