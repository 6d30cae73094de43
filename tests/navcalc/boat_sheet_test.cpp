#include "navcalc/Vimoboat.h"

#include "temp_dir.h"
#include "ui_fakes.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

namespace brisomar {
namespace {

using enum testing::BoxKind;
using testing::Boxes;
using testing::TempDir;
using testing::UiFixture;

// Cells are addressed as the sheet shows them: column = wind force 1..5, row = angle 1..16.
QString cell(const QTableWidget* grid, int column, int row) {
    return grid->item(row, column)->text();
}

void setCell(QTableWidget* grid, int column, int row, const QString& text) {
    grid->item(row, column)->setText(text);
}

TEST(BoatSheetOnDemand, ItsGridsAreBuiltWhenFirstShownWithTheTablesThenInUse) {
    UiFixture ui;
    TVimoBoatSheet sheet(ui.context, nullptr);
    EXPECT_EQ(sheet.BSpeedGrid, nullptr);
    ui.program.boatTables.SpeedTable = defaultSpeedTable();
    sheet.show();
    ASSERT_NE(sheet.BSpeedGrid, nullptr);
    EXPECT_EQ(cell(sheet.BSpeedGrid, 3, 3), "06.8");
    EXPECT_GE(sheet.height(), sheet.BSpeedGrid->height() + sheet.LeewayGrid->height());
}

class BoatSheet : public ::testing::Test {
protected:
    BoatSheet() { sheet.ensureControls(); } // as opening it does

    BoatTable& speeds() { return ui.program.boatTables.SpeedTable; }
    BoatTable& leeways() { return ui.program.boatTables.LeewayTable; }

    static void writeFile(const std::string& path, std::size_t size) {
        std::ofstream out(path, std::ios::binary);
        out << std::string(size, '\x81');
    }

    UiFixture ui;
    TVimoBoatSheet sheet{ui.context, nullptr};
    TempDir dir;
};

TEST_F(BoatSheet, ShowsItsButtonsWithTheirHints) {
    EXPECT_EQ(sheet.windowTitle(), "Brisomar-Boatdata");
    EXPECT_EQ(sheet.Label1->text(), "Speed");
    EXPECT_EQ(sheet.Label2->text(), "Leeway");
    const std::pair<QPushButton*, const char*> buttons[] = {
        {sheet.FileBtn, "File"},        {sheet.GetSpBtn, "Get Speed"},
        {sheet.SetSpBtn, "Set Speed"},  {sheet.GetLeBtn, "Get Leeway"},
        {sheet.SetLeBtn, "Set Leeway"}, {sheet.HelpBtn, "Help"}};
    for (const auto& [button, caption] : buttons)
        EXPECT_EQ(button->text(), caption);
    EXPECT_EQ(sheet.FileBtn->toolTip(), "File popup menu");
    EXPECT_EQ(sheet.GetSpBtn->toolTip(), "Get used data.");
    EXPECT_EQ(sheet.GetLeBtn->toolTip(), "Get used data.");
    EXPECT_EQ(sheet.SetSpBtn->toolTip(), "Use this data.");
    EXPECT_EQ(sheet.SetLeBtn->toolTip(), "Use this data.");
    EXPECT_EQ(sheet.HelpBtn->toolTip(), "Help texts.");
    EXPECT_EQ(sheet.BSpeedGrid->toolTip(), "Boat speed (knots) table.");
    EXPECT_EQ(sheet.LeewayGrid->toolTip(), "Leeway (degrees) table.");
}

TEST_F(BoatSheet, GridsHaveTheirHeadingsInTheFirstRowAndColumn) {
    for (const QTableWidget* grid : {sheet.BSpeedGrid, sheet.LeewayGrid}) {
        EXPECT_EQ(grid->columnCount(), 6);
        EXPECT_EQ(grid->rowCount(), 17);
        EXPECT_EQ(cell(grid, 0, 0), "Windforce->");
        EXPECT_EQ(cell(grid, 1, 0), " 04 knots");
        EXPECT_EQ(cell(grid, 3, 0), " 12 knots");
        EXPECT_EQ(cell(grid, 5, 0), " 20 knots");
        EXPECT_EQ(cell(grid, 0, 1), "Windage 30°");
        EXPECT_EQ(cell(grid, 0, 2), "Windage 40°");
        EXPECT_EQ(cell(grid, 0, 16), "Windage 180°");
        EXPECT_FALSE(grid->item(0, 1)->flags() & Qt::ItemIsEditable);
        EXPECT_FALSE(grid->item(1, 0)->flags() & Qt::ItemIsEditable);
        EXPECT_TRUE(grid->item(1, 1)->flags() & Qt::ItemIsEditable);
        EXPECT_EQ(cell(grid, 5, 16), "00.0"); // the tables are empty at start
    }
}

TEST_F(BoatSheet, FileButtonPopsUpTheSevenCommandsBelowTheCorner) {
    QStringList captions;
    for (const QAction* action : sheet.FilePopupMenu->actions())
        captions << action->text();
    EXPECT_EQ(captions, QStringList({"Load speed data from file", "Load leeway data from file",
                                     "Use default speed data", "Use default leeway data",
                                     "Save speed data to file", "Save leeway data to file",
                                     "Close data form"}));
    EXPECT_EQ(sheet.Closedataform1, sheet.FilePopupMenu->actions().last());

    sheet.move(20, 30);
    sheet.show();
    sheet.FileBtn->click();
    EXPECT_TRUE(sheet.FilePopupMenu->isVisible());
    EXPECT_EQ(sheet.FilePopupMenu->pos(), sheet.frameGeometry().topLeft() + QPoint(10, 40));
    sheet.FilePopupMenu->hide();
}

TEST_F(BoatSheet, DefaultsFillTheirTableAndGridOnly) {
    sheet.Usedefaultspeeddata1->trigger();
    EXPECT_EQ(speeds(), defaultSpeedTable());
    EXPECT_EQ(leeways(), BoatTable{});
    EXPECT_EQ(cell(sheet.BSpeedGrid, 3, 3), "06.8"); // 12 knots at 50°
    EXPECT_EQ(cell(sheet.BSpeedGrid, 1, 1), "02.0");
    EXPECT_EQ(cell(sheet.BSpeedGrid, 5, 16), "07.9");
    EXPECT_EQ(cell(sheet.LeewayGrid, 5, 1), "00.0");

    sheet.Usedefaultleewaydata1Click();
    EXPECT_EQ(leeways(), defaultLeewayTable());
    EXPECT_EQ(cell(sheet.LeewayGrid, 5, 1), "05.0"); // 20 knots at 30°
    EXPECT_EQ(cell(sheet.LeewayGrid, 5, 16), "00.0");
}

TEST_F(BoatSheet, GetAndActivationShowTheTablesInUseDroppingEdits) {
    speeds() = defaultSpeedTable();
    sheet.GetSpBtn->click();
    EXPECT_EQ(cell(sheet.BSpeedGrid, 3, 3), "06.8");
    setCell(sheet.BSpeedGrid, 3, 3, "9");
    sheet.GetSpBtnClick();
    EXPECT_EQ(cell(sheet.BSpeedGrid, 3, 3), "06.8");

    leeways() = defaultLeewayTable();
    sheet.GetLeBtn->click();
    EXPECT_EQ(cell(sheet.LeewayGrid, 4, 2), "03.0");

    speeds() = BoatTable{};
    leeways() = BoatTable{};
    setCell(sheet.LeewayGrid, 1, 1, "7");
    sheet.FormActivate();
    EXPECT_EQ(cell(sheet.BSpeedGrid, 3, 3), "00.0");
    EXPECT_EQ(cell(sheet.LeewayGrid, 4, 2), "00.0");
    EXPECT_EQ(cell(sheet.LeewayGrid, 1, 1), "00.0");

    speeds() = defaultSpeedTable();
    sheet.show();
    sheet.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&sheet));
    EXPECT_EQ(cell(sheet.BSpeedGrid, 3, 3), "06.8");
}

TEST_F(BoatSheet, SetSpeedReadsEveryCellWithinZeroToNinety) {
    setCell(sheet.BSpeedGrid, 1, 1, "7.26");
    setCell(sheet.BSpeedGrid, 1, 2, "-3");
    setCell(sheet.BSpeedGrid, 1, 3, "123");
    setCell(sheet.BSpeedGrid, 1, 4, "1,2.3");
    setCell(sheet.BSpeedGrid, 1, 5, "abc");
    setCell(sheet.BSpeedGrid, 5, 16, "6,5");
    setCell(sheet.BSpeedGrid, 2, 7, "");
    sheet.SetSpBtn->click();

    EXPECT_EQ(speeds()[0][0], Real48(7.26L));
    EXPECT_EQ(cell(sheet.BSpeedGrid, 1, 1), "07.3");
    EXPECT_TRUE(speeds()[0][1].isZero());
    EXPECT_EQ(cell(sheet.BSpeedGrid, 1, 2), "00.0");
    EXPECT_EQ(speeds()[0][2], Real48(90.0L));
    EXPECT_EQ(cell(sheet.BSpeedGrid, 1, 3), "90.0");
    EXPECT_TRUE(speeds()[0][3].isZero());
    EXPECT_TRUE(speeds()[0][4].isZero());
    EXPECT_EQ(cell(sheet.BSpeedGrid, 1, 5), "00.0");
    EXPECT_EQ(speeds()[4][15], Real48(6.5L));
    EXPECT_EQ(cell(sheet.BSpeedGrid, 5, 16), "06.5");
    EXPECT_EQ(cell(sheet.BSpeedGrid, 2, 7), "00.0");
    EXPECT_EQ(leeways(), BoatTable{});
}

TEST_F(BoatSheet, SetLeewayWritesTheLeewayTableOnly) {
    speeds() = defaultSpeedTable();
    setCell(sheet.LeewayGrid, 2, 3, "4.5");
    setCell(sheet.BSpeedGrid, 2, 3, "1");
    sheet.SetLeBtnClick();
    EXPECT_EQ(leeways()[1][2], Real48(4.5L));
    EXPECT_EQ(cell(sheet.LeewayGrid, 2, 3), "04.5");
    EXPECT_EQ(speeds(), defaultSpeedTable());
}

TEST_F(BoatSheet, SavedTablesLoadBackIdentically) {
    const QString speedFile = QString::fromStdString(dir.file("boat.spe"));
    const QString leewayFile = QString::fromStdString(dir.file("boat.LEE"));
    sheet.Usedefaultspeeddata1Click();
    sheet.Usedefaultleewaydata1Click();
    setCell(sheet.BSpeedGrid, 2, 2, "7.26");
    ui.dialogs.files = {speedFile, leewayFile};
    sheet.Savespeeddatatofile1->trigger();
    sheet.Saveleewaydatatofile1Click();
    const BoatTable savedSpeeds = speeds();
    EXPECT_EQ(savedSpeeds[1][1], Real48(7.26L));

    speeds() = BoatTable{};
    leeways() = BoatTable{};
    ui.dialogs.files = {speedFile, leewayFile};
    sheet.Loadspeeddatafromfile1->trigger();
    sheet.Loadleewaydatafromfile1Click();
    EXPECT_EQ(speeds(), savedSpeeds);
    EXPECT_EQ(leeways(), defaultLeewayTable());
    EXPECT_EQ(cell(sheet.BSpeedGrid, 2, 2), "07.3");
    EXPECT_EQ(cell(sheet.LeewayGrid, 5, 1), "05.0");
    EXPECT_TRUE(ui.dialogs.shown.empty());
    EXPECT_EQ(ui.dialogs.fileDialogTitles, QStringList({"Save speed data", "Save leeway data",
                                                        "Load speed data", "Load leeway data"}));
}

// The file a table came from is kept with it until the table is set otherwise.
TEST_F(BoatSheet, EachTableKnowsTheFileItWasLoadedFrom) {
    const std::string speedFile = dir.file("boat.SPE");
    const std::string leewayFile = dir.file("boat.LEE");
    writeFile(speedFile, boatTableFileSize);
    writeFile(leewayFile, boatTableFileSize);
    const std::string& speedSource = ui.program.boatTables.SpeedFile;
    const std::string& leewaySource = ui.program.boatTables.LeewayFile;
    ui.dialogs.files = {QString::fromStdString(speedFile), QString::fromStdString(leewayFile)};
    sheet.Loadspeeddatafromfile1Click();
    sheet.Loadleewaydatafromfile1Click();
    EXPECT_EQ(speedSource, speedFile);
    EXPECT_EQ(leewaySource, leewayFile);
    sheet.SetSpBtnClick(); // the grid, perhaps edited, is the table now
    EXPECT_EQ(speedSource, "");
    EXPECT_EQ(leewaySource, leewayFile);
    sheet.Usedefaultleewaydata1Click();
    EXPECT_EQ(leewaySource, "");
    ui.dialogs.files = {QString::fromStdString(dir.file("other.spe"))}; // missing: not loaded
    sheet.Loadspeeddatafromfile1Click();
    EXPECT_EQ(speedSource, "");
}

TEST_F(BoatSheet, CancelledSaveStillPutsTheGridInUse) {
    setCell(sheet.LeewayGrid, 1, 1, "2");
    sheet.Saveleewaydatatofile1Click();
    EXPECT_EQ(leeways()[0][0], Real48(2.0L));
    EXPECT_EQ(cell(sheet.LeewayGrid, 1, 1), "02.0");
    EXPECT_EQ(ui.dialogs.fileDialogTitles, QStringList({"Save leeway data"}));
}

TEST_F(BoatSheet, ShortFileIsAnIoErrorAndLeavesTheTable) {
    const std::string shortFile = dir.file("short.spe");
    writeFile(shortFile, boatTableFileSize - 1);
    speeds() = defaultSpeedTable();
    setCell(sheet.BSpeedGrid, 1, 1, "edited");
    ui.dialogs.files = {QString::fromStdString(shortFile)};
    sheet.Loadspeeddatafromfile1Click();
    EXPECT_EQ(ui.dialogs.shown, (Boxes{{Information, "I/O Error."}}));
    EXPECT_EQ(speeds(), defaultSpeedTable());
    EXPECT_EQ(cell(sheet.BSpeedGrid, 1, 1), "02.0");
}

TEST_F(BoatSheet, OtherExtensionsAndCancelledLoadsChangeNothingSilently) {
    const std::string leewayNamed = dir.file("boat.lee");
    writeFile(leewayNamed, boatTableFileSize);
    setCell(sheet.BSpeedGrid, 1, 1, "edited");
    ui.dialogs.files = {QString::fromStdString(leewayNamed)};
    sheet.Loadspeeddatafromfile1Click();
    EXPECT_EQ(speeds(), BoatTable{});
    EXPECT_EQ(cell(sheet.BSpeedGrid, 1, 1), "00.0");

    setCell(sheet.BSpeedGrid, 1, 1, "edited");
    sheet.Loadspeeddatafromfile1Click(); // cancelled
    EXPECT_EQ(cell(sheet.BSpeedGrid, 1, 1), "00.0");

    ui.dialogs.files = {QString::fromStdString(dir.file("boat.spe"))};
    sheet.Saveleewaydatatofile1Click();
    EXPECT_FALSE(std::filesystem::exists(dir.file("boat.spe")));
    EXPECT_TRUE(ui.dialogs.shown.empty());
}

TEST_F(BoatSheet, FailedSaveIsReported) {
    ui.dialogs.files = {QString::fromStdString(dir.file("missing/boat.spe"))};
    sheet.Savespeeddatatofile1Click();
    EXPECT_EQ(ui.dialogs.shown, (Boxes{{Information, "I/O Error."}}));
}

TEST_F(BoatSheet, CloseDataFormHidesItAndHelpOpensTopicSix) {
    sheet.show();
    sheet.Closedataform1->trigger();
    EXPECT_FALSE(sheet.isVisible());
    sheet.HelpBtn->click();
    EXPECT_EQ(ui.help.contexts, std::vector<int>{6});
}

} // namespace
} // namespace brisomar
