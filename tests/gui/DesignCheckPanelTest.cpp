// The design check's panel: errors before warnings in their colours, the room or
// circuit of each, and a double-click that asks for the dialog of the item.
#include <QTest>
#include <QTreeWidget>

#include "GuiTest.h"
#include "app/ProjectFiles.h"
#include "app/ProjectRecalc.h"
#include "catalogue/TDevices.h"
#include "check/DesignCheck.h"
#include "check/TDesignCheckPanel.h"
#include "util/Codepage.h"

using namespace kalorina;
using namespace kalorina::test;

namespace {

class DesignCheckPanelTest : public GuiTest {};

// The flat example with a fault of several kinds planted in it, checked.
std::vector<DesignProblem> BrokenFlat()
{
    static const TDevices devices(KALORINA_SOURCE_DIR "/data", "hu");
    TProject p;
    ReadProjectFile(KALORINA_SOURCE_DIR "/examples/flat.klp", p);
    p.rooms.at(0).heatDemand = 2500;                     // shortfall
    p.rooms.at(1).floorArea = 5;                         // fields beyond the room
    p.rounds.at(0).hydraulic.availablePressure = 5000;   // pressure exceeded
    p.rounds.at(1).roundName = p.rounds.at(2).roundName; // duplicate name
    p.AddNewRoom();
    p.rooms.back().roomName = Utf8ToCp1250("Kamra");
    p.rooms.back().heatDemand = 150; // a room without fields
    const TProject asRead = p;
    RecalculateProject(p, devices, false);
    return CheckDesign(p, devices, &asRead);
}

} // namespace

TEST_F(DesignCheckPanelTest, ListsErrorsFirstAndOpensTheItemOnDoubleClick)
{
    UseShippedLanguage("Magyar");
    gui::TDesignCheckPanel panel;
    EXPECT_EQ(panel.List()->topLevelItemCount(), 0);

    const std::vector<DesignProblem> problems = BrokenFlat();
    std::set<ProblemKind> kinds;
    for (const DesignProblem& p : problems)
        kinds.insert(p.kind);
    ASSERT_GE(kinds.size(), 4u);
    panel.SetProblems(problems);
    QTreeWidget* list = panel.List();
    ASSERT_EQ(list->topLevelItemCount(), static_cast<int>(problems.size()));

    // Errors come first and in red; once a warning is shown no error follows.
    bool warningSeen = false;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const DesignProblem& p = panel.Problems()[i];
        QTreeWidgetItem* item = list->topLevelItem(i);
        const bool error = p.severity == ProblemSeverity::Error;
        EXPECT_FALSE(error && warningSeen) << i;
        warningSeen = warningSeen || !error;
        EXPECT_EQ(item->text(0), error ? QStringLiteral("Hiba") : QStringLiteral("Figyelmeztetés"));
        EXPECT_EQ(item->foreground(2).color().red() > 0xB0, error) << i;
        EXPECT_EQ(item->text(2).toStdString(), Cp1250ToUtf8(p.text));
    }
    EXPECT_TRUE(warningSeen);

    std::vector<std::string> rooms, rounds;
    QObject::connect(&panel, &gui::TDesignCheckPanel::RoomRequested, [&](const std::string& n) { rooms.push_back(n); });
    QObject::connect(&panel, &gui::TDesignCheckPanel::RoundRequested,
                     [&](const std::string& n) { rounds.push_back(n); });
    panel.resize(760, 300);
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    int roomRow = -1, roundRow = -1;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const DesignProblem& p = panel.Problems()[i];
        if (roomRow < 0 && p.roundName.empty() && !p.roomName.empty())
            roomRow = i;
        if (roundRow < 0 && !p.roundName.empty())
            roundRow = i;
    }
    ASSERT_GE(roomRow, 0);
    ASSERT_GE(roundRow, 0);
    for (int row : {roomRow, roundRow}) {
        const QRect r = list->visualItemRect(list->topLevelItem(row));
        // A real double-click: the first click's press, then the double click.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    }
    EXPECT_EQ(rooms, std::vector<std::string>{panel.Problems()[roomRow].roomName});
    EXPECT_EQ(rounds, std::vector<std::string>{panel.Problems()[roundRow].roundName});
    list->clearSelection();
    SavePicture(&panel, "design-check.png");

    // The other language, and an empty list that says so.
    UseShippedLanguage("English");
    panel.Translate();
    EXPECT_EQ(list->headerItem()->text(2), QStringLiteral("Problem"));
    panel.SetProblems({});
    EXPECT_EQ(list->topLevelItemCount(), 0);
}
