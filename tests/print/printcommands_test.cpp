#include "print/printcommands.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include "print/copiesdialog.h"
#include "print/previewwindow.h"
#include "printtestsupport.h"

namespace qn::print {
namespace {

class PrintCommandsTest : public testing::Test {
  protected:
    void SetUp() override { makeCommands(60); }  // three full pages

    void makeCommands(int notes) {
        commands.reset();
        c = test::shapedComposition({notes, 0, 0, 0});
        auto scripted = std::make_unique<test::ScriptedPrintServices>();
        services = scripted.get();
        commands = std::make_unique<PrintCommands>(
            *c, [](int) { return QString(); }, std::move(scripted), &window);
    }
    template <typename Widget = QPushButton>
    static Widget* child(QWidget* parent, const char* name) {
        return parent->findChild<Widget*>(QLatin1String(name));
    }
    static void click(QWidget* parent, const char* button) {
        QTest::mouseClick(child(parent, button), Qt::LeftButton);
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
    auto* from = child<QLineEdit>(dialog, "From");
    auto* to = child<QLineEdit>(dialog, "Too");
    EXPECT_EQ(from->text() + to->text(), QStringLiteral("13"));
    EXPECT_TRUE(child<QRadioButton>(dialog, "PrintAll")->isChecked());

    // A range that is not a number matters once From Page is chosen.
    to->setText(QStringLiteral("two"));
    EXPECT_TRUE(child(dialog, "OK")->isEnabled());
    child<QRadioButton>(dialog, "PrintSome")->setChecked(true);
    EXPECT_FALSE(child(dialog, "OK")->isEnabled());

    from->setText(QStringLiteral("2"));
    to->setText(QStringLiteral(" 99 "));
    child<QScrollBar>(dialog, "VScrollCopy")->setValue(-2);
    click(dialog, "OK");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(services->printerPages, (std::vector<int>{2, 3, 2, 3}));
    EXPECT_TRUE(services->asked.isEmpty());
}

TEST_F(PrintCommandsTest, CancelPrintsNothingAndAnOpenDialogOrPreviewRefusesTheOtherCommand) {
    commands->Print_Click();
    commands->PrintPreview_Click();
    EXPECT_EQ(commands->previewWindow(), nullptr);
    click(commands->copiesDialog(), "Canc");
    EXPECT_FALSE(commands->copiesDialog()->isVisible());

    commands->PrintPreview_Click();
    commands->Print_Click();
    EXPECT_TRUE(!commands->copiesDialog()->isVisible() && services->printerPages.empty());
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
    const std::tuple<const char*, int, bool, bool> steps[] = {
        {nullptr, 1, true, false},   {"Nex", 2, true, true},       {"Nex", 3, false, true},
        {"Previous", 2, true, true}, {"Previous", 1, true, false},
    };
    for (const auto& [button, page, next, previous] : steps) {
        if (button) click(preview, button);
        EXPECT_EQ(preview->pageView().page().page, page);
        EXPECT_EQ(child(preview, "Nex")->isEnabled(), next) << page;
        EXPECT_EQ(child(preview, "Previous")->isEnabled(), previous) << page;
    }
    click(preview, "Nex");
    commands->PrintPreview_Click();
    EXPECT_EQ(preview->pageView().page().page, 1);
    click(preview, "Clos");
    EXPECT_FALSE(preview->isVisible());

    for (const auto& [notes, nextEnabled] : {std::pair{20, false}, std::pair{21, true}}) {
        makeCommands(notes);
        commands->PrintPreview_Click();
        EXPECT_EQ(child(commands->previewWindow(), "Nex")->isEnabled(), nextEnabled) << notes;
    }
}

}  // namespace
}  // namespace qn::print
