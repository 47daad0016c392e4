#include "app/commandmap.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMainWindow>

namespace qn {
namespace {

// Every menu item reaches its own command, whether the map runs it directly
// or through the toolbar button that shares it; every button has its command.
TEST(CommandMap, EveryItemAndButtonReachesItsCommand) {
    QMainWindow window;
    std::vector<Command> reached;
    CommandMap map(
        window, [&](Command c) { reached.push_back(c); },
        [&](int i) { reached.push_back(toolbarCommand(i)); });

    constexpr Command kButtons[kToolbarButtons] = {Command::New,
                                                   Command::Open,
                                                   Command::Save,
                                                   Command::Print,
                                                   Command::Cut,
                                                   Command::Copy,
                                                   Command::Paste,
                                                   Command::Insert,
                                                   Command::Delete,
                                                   Command::Record,
                                                   Command::Play,
                                                   Command::Pause,
                                                   Command::Stop,
                                                   Command::ChangeInstrument,
                                                   Command::HigherPitch,
                                                   Command::LowerPitch,
                                                   Command::LongerDuration,
                                                   Command::ShorterDuration,
                                                   Command::ExpandedScale,
                                                   Command::IncreaseVolume,
                                                   Command::DecreaseVolume,
                                                   Command::Exit};
    for (int i = 0; i < kToolbarButtons; ++i) {
        reached.clear();
        map.toolbarButton(i)->trigger();
        EXPECT_EQ(reached, std::vector<Command>{kButtons[i]}) << "button " << i;
    }
    for (int c = 0; c <= static_cast<int>(Command::About); ++c) {
        const auto command = static_cast<Command>(c);
        QAction* item = map.menuItem(command);
        ASSERT_NE(item, nullptr) << "command " << c;
        reached.clear();
        item->trigger();
        EXPECT_EQ(reached, std::vector<Command>{command}) << item->objectName().toStdString();
    }
}

}  // namespace
}  // namespace qn
