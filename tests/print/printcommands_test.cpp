#include "print/printcommands.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QWidget>

#include "print/copiesdialog.h"
#include "print/previewwindow.h"
#include "printtestsupport.h"

namespace qn::print {
namespace {

class PrintCommandsTest : public testing::Test {
  protected:
    void SetUp() override { makeCommands({50, 0, 0, 0}); }  // three pages

    void makeCommands(std::array<int, kTrackCount> counts) {
        commands.reset();
        c = test::shapedComposition(counts);
        auto scripted = std::make_unique<test::ScriptedPrintServices>();
        services = scripted.get();
        commands = std::make_unique<PrintCommands>(
            *c, [](int) { return QStringLiteral("0  Acoustic Grand"); }, std::move(scripted),
            &window);
    }

    template <typename Widget>
    Widget* dialogChild(const char* name) {
        return commands->copiesDialog()->findChild<Widget*>(QLatin1String(name));
    }
    void click(QWidget* parent, const char* button) {
        QTest::mouseClick(parent->findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
    }

    QWidget window;
    std::unique_ptr<Composition> c;
    test::ScriptedPrintServices* services = nullptr;
    std::unique_ptr<PrintCommands> commands;
};

TEST_F(PrintCommandsTest, PrintsTheChosenRangeAsManyTimesAsTheCopiesSay) {
    commands->Print_Click();
    CopiesDialog* dialog = commands->copiesDialog();
    ASSERT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialogChild<QLineEdit>("From")->text(), QStringLiteral("1"));
    EXPECT_EQ(dialogChild<QLineEdit>("Too")->text(), QStringLiteral("3"));
    EXPECT_TRUE(dialogChild<QRadioButton>("PrintAll")->isChecked());

    dialogChild<QRadioButton>("PrintSome")->setChecked(true);
    dialogChild<QLineEdit>("From")->setText(QStringLiteral("2"));
    dialogChild<QLineEdit>("Too")->setText(QStringLiteral("99"));
    dialogChild<QScrollBar>("VScrollCopy")->setValue(-2);
    click(dialog, "OK");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(services->printerPages, (std::vector<int>{2, 3, 2, 3}));
    EXPECT_TRUE(services->asked.isEmpty());
}

TEST_F(PrintCommandsTest, RangeThatIsNotANumberKeepsOkDisabledUntilCorrected) {
    commands->Print_Click();
    auto* ok = dialogChild<QPushButton>("OK");
    dialogChild<QLineEdit>("Too")->setText(QStringLiteral("two"));
    EXPECT_TRUE(ok->isEnabled());  // All is chosen: the range does not matter
    dialogChild<QRadioButton>("PrintSome")->setChecked(true);
    EXPECT_FALSE(ok->isEnabled());
    dialogChild<QLineEdit>("Too")->setText(QStringLiteral(" 2 "));
    EXPECT_TRUE(ok->isEnabled());
}

TEST_F(PrintCommandsTest, CancelPrintsNothingAndAnOpenDialogOrPreviewRefusesTheOtherCommand) {
    commands->Print_Click();
    commands->PrintPreview_Click();
    EXPECT_EQ(commands->previewWindow(), nullptr);
    click(commands->copiesDialog(), "Canc");
    EXPECT_FALSE(commands->copiesDialog()->isVisible());

    commands->PrintPreview_Click();
    commands->Print_Click();
    EXPECT_FALSE(commands->copiesDialog()->isVisible());
    EXPECT_TRUE(services->printerPages.empty());
}

TEST_F(PrintCommandsTest, WithoutAPrinterOffersAPdfFileInstead) {
    services->printerPresent = false;
    c->DocName = "song.msf";
    commands->Print_Click();  // declined
    EXPECT_EQ(commands->copiesDialog(), nullptr);

    services->pdfAnswer = QStringLiteral("/tmp/song.pdf");
    commands->Print_Click();
    click(commands->copiesDialog(), "OK");
    EXPECT_EQ(services->asked,
              (QStringList{"pdf|song.pdf", "pdf|song.pdf", "pdf file|/tmp/song.pdf"}));
    EXPECT_EQ(services->pdfPages, (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(services->printerPages.empty());
}

TEST_F(PrintCommandsTest, PreviewStepsThroughThePagesAndStartsOverAtPageOne) {
    commands->PrintPreview_Click();
    PreviewWindow* preview = commands->previewWindow();
    ASSERT_TRUE(preview->isVisible());
    EXPECT_EQ(preview->windowTitle(), QStringLiteral("Print Preview"));
    auto* next = preview->findChild<QPushButton*>(QStringLiteral("Nex"));
    auto* previous = preview->findChild<QPushButton*>(QStringLiteral("Previous"));
    struct Step {
        const char* button;
        int page;
        bool next;
        bool previous;
    };
    const Step steps[] = {{nullptr, 1, true, false},
                          {"Nex", 2, true, true},
                          {"Nex", 3, false, true},
                          {"Previous", 2, true, true},
                          {"Previous", 1, true, false}};
    for (const Step& step : steps) {
        if (step.button) click(preview, step.button);
        SCOPED_TRACE(step.page);
        EXPECT_EQ(preview->pageView().page().page, step.page);
        EXPECT_EQ(next->isEnabled(), step.next);
        EXPECT_EQ(previous->isEnabled(), step.previous);
    }
    click(preview, "Nex");
    commands->PrintPreview_Click();
    EXPECT_EQ(preview->pageView().page().page, 1);
    click(preview, "Clos");
    EXPECT_FALSE(preview->isVisible());
}

TEST_F(PrintCommandsTest, PreviewOfTwentyNotesHasOnePageAndOfTwentyOneTwo) {
    for (const auto& [notes, nextEnabled] : {std::pair{20, false}, std::pair{21, true}}) {
        makeCommands({0, notes, 0, 0});
        commands->PrintPreview_Click();
        EXPECT_EQ(
            commands->previewWindow()->findChild<QPushButton*>(QStringLiteral("Nex"))->isEnabled(),
            nextEnabled)
            << notes;
    }
}

}  // namespace
}  // namespace qn::print
