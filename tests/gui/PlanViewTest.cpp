// The main window's plan page on the shipped villa: the ground floor drawn from the
// project, the tools driven with the real mouse on the view, each gesture one step
// (undo takes it back), Escape leaving nothing, an overlapping room refused.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "GuiTest.h"
#include "app/Startup.h"
#include "app/TMainForm.h"
#include "document/TProject.h"
#include "plan/DrawPolygonTool.h"
#include "plan/DrawRectangleTool.h"
#include "plan/DxfImportDialog.h"
#include "plan/DxfReader.h"
#include "plan/PlanPage.h"
#include "plan/PlanScene.h"
#include "plan/PlanView.h"
#include "platform/QtText.h"

using namespace kalorina;
using namespace kalorina::gui;

namespace {

class PlanViewTest : public test::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        UseShippedLanguage("Magyar");
        const std::string copy = KALORINA_BINARY_DIR "/plan-villa.klp";
        std::filesystem::copy_file(KALORINA_SOURCE_DIR "/examples/villa.klp", copy,
                                   std::filesystem::copy_options::overwrite_existing);
        form = CreateMainForm(Services());
        form->resize(1280, 820);
        form->show();
        files.Answer(copy);
        TriggerAction(form.get(), "FileOpen");
        ASSERT_EQ(form->Project().fileName, copy);
        form->Pages->setCurrentWidget(form->Plan);
        QApplication::processEvents();
        form->Plan->View->Fit();
    }
    void TearDown() override
    {
        form.reset();
        GuiTest::TearDown();
    }
    // Where a point of the plan is on the view's viewport.
    QPoint At(double x, double y) const { return form->Plan->View->mapFromScene(PlanScene::ToScene({x, y})); }
    QWidget* Viewport() const { return form->Plan->View->viewport(); }
    void Drag(plan::Point from, plan::Point to)
    {
        QTest::mousePress(Viewport(), Qt::LeftButton, {}, At(from.x, from.y));
        QMouseEvent move(QEvent::MouseMove, At(to.x, to.y), Viewport()->mapToGlobal(At(to.x, to.y)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Viewport(), &move);
        QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, At(to.x, to.y));
    }

    std::unique_ptr<TMainForm> form;
};

} // namespace

TEST_F(PlanViewTest, TheGroundFloorAsTheProjectHasIt)
{
    EXPECT_EQ(form->Plan->Floor->count(), 2);
    EXPECT_EQ(form->Plan->Scene->RoomItemCount(), 8) << "the villa's ground floor";
    form->Plan->Floor->setCurrentIndex(1);
    EXPECT_EQ(form->Plan->Scene->RoomItemCount(), 6);
    form->Plan->Floor->setCurrentIndex(0);
    // The tree and the plan follow each other.
    auto found = form->ItemsTree->findItems(QStringLiteral("Em. Háló 2"), Qt::MatchRecursive | Qt::MatchExactly);
    ASSERT_FALSE(found.isEmpty());
    form->ItemsTree->setCurrentItem(found[0]);
    EXPECT_EQ(form->Plan->Floor->currentIndex(), 1) << "the room's floor is shown";
    form->Plan->Floor->setCurrentIndex(0);
    form->Plan->View->Fit();
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, At(2, 2));
    ASSERT_NE(form->ItemsTree->currentItem(), nullptr);
    EXPECT_EQ(form->ItemsTree->currentItem()->text(0), QStringLiteral("Fsz. Nappali"));
    SavePicture(form.get(), "plan-view.png");
}

// A rectangle dragged beside the house is one new room of 3 × 2 m; undo removes it.
// Escape in the middle of a polygon leaves nothing; a room drawn into another is
// refused with a message and changes nothing.
TEST_F(PlanViewTest, DrawingToolsEndInOneStepOrNothing)
{
    const std::size_t rooms = form->Project().rooms.size();
    form->Plan->RectangleAction->trigger();
    Drag({16, 0}, {19, 2});
    ASSERT_EQ(form->Project().rooms.size(), rooms + 1);
    EXPECT_FLOAT_EQ(form->Project().rooms.back().floorArea, 6.0f);
    EXPECT_TRUE(form->Project().modified);
    TriggerAction(form.get(), "EditUndo");
    EXPECT_EQ(form->Project().rooms.size(), rooms);
    EXPECT_FALSE(form->Project().modified);

    form->Plan->PolygonAction->trigger();
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, At(16, 0));
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, At(18, 0));
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, At(18, 2));
    const int itemsWhileDrawing = static_cast<int>(form->Plan->Scene->items().size());
    QTest::keyClick(form->Plan->View, Qt::Key_Escape);
    EXPECT_LT(static_cast<int>(form->Plan->Scene->items().size()), itemsWhileDrawing) << "the preview is gone";
    EXPECT_EQ(form->Project().rooms.size(), rooms);
    EXPECT_FALSE(form->Controller().Changes().CanUndo());

    // The polygon closed on its first corner: an L of 3 m2 beside the house.
    for (const plan::Point p : {plan::Point{16, 0}, {18, 0}, {18, 1}, {17, 1}, {17, 2}, {16, 2}, {16, 0}})
        QTest::mouseClick(Viewport(), Qt::LeftButton, {}, At(p.x, p.y));
    ASSERT_EQ(form->Project().rooms.size(), rooms + 1);
    EXPECT_FLOAT_EQ(form->Project().rooms.back().floorArea, 3.0f);

    // Into the living room: refused, told, nothing changes.
    const TProject before = form->Project();
    form->Plan->RectangleAction->trigger();
    messages.Answer(MessageAnswer::Ok);
    Drag({1, 1}, {3, 3});
    EXPECT_NE(messages.LastText().find("Fsz. Nappali"), std::string::npos) << messages.LastText();
    EXPECT_TRUE(form->Project().SameContent(before));

    // Exact dimensions typed: one click places 4 × 2.5 m.
    form->Plan->Width->setText(QStringLiteral("4"));
    form->Plan->Depth->setText(QStringLiteral("2,5"));
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, At(16, 4));
    EXPECT_FLOAT_EQ(form->Project().rooms.back().floorArea, 10.0f);

    // A corner's coordinates typed, the first one again closing: 2.5 × 2 m exactly.
    const std::size_t count = form->Project().rooms.size();
    for (const auto& [x, y] : {std::pair{"20", "0"}, {"22,5", "0"}, {"22,5", "2"}, {"20", "2"}, {"20", "0"}}) {
        form->Plan->CornerX->setText(QString::fromLatin1(x));
        form->Plan->CornerY->setText(QString::fromLatin1(y));
        form->Plan->AddCornerAction->trigger();
    }
    ASSERT_EQ(form->Project().rooms.size(), count + 1);
    EXPECT_FLOAT_EQ(form->Project().rooms.back().floorArea, 5.0f);
}

// The shipped flat drawing read into a new project through the dialog: the layer
// with the rooms proposed, the size shown in the unit chosen, six rooms with their
// areas, one step.
TEST_F(PlanViewTest, DxfImportThroughTheDialog)
{
    TriggerAction(form.get(), "FileNew");
    form->Pages->setCurrentWidget(form->Plan);
    files.Answer(KALORINA_SOURCE_DIR "/examples/flat.dxf");
    OnModal(
        [](QDialog& d) {
            auto* dialog = static_cast<DxfImportDialog*>(&d);
            EXPECT_EQ(dialog->Layer(), "HELYISEGEK") << "the layer with the closed polylines";
            dialog->Units->setCurrentIndex(2); // m: a flat of 13 km
            EXPECT_TRUE(dialog->Size->text().startsWith(QStringLiteral("13375"))) << Cp(dialog->Size->text());
            dialog->Units->setCurrentIndex(0);
            EXPECT_EQ(dialog->Size->text(), QStringLiteral("13,38 × 7,00 m"));
            dialog->Floor->setText(QStringLiteral("3. emelet"));
            dialog->resize(460, 320);
            SavePicture(&d, "plan-dxf-import.png");
            d.findChild<QPushButton*>("OKButton")->click();
        },
        "DxfImportDialog");
    form->Plan->DxfAction->trigger();
    const TProject& p = form->Project();
    ASSERT_EQ(p.rooms.size(), 6u);
    EXPECT_EQ(p.plan.floors.at(0).name, "3. emelet");
    const int living = p.FindItem("Nappali", true);
    ASSERT_GE(living, 0);
    EXPECT_FLOAT_EQ(p.rooms[living].floorArea, 28.0f);
    EXPECT_EQ(form->Plan->Scene->RoomItemCount(), 6);
    EXPECT_EQ(form->Plan->Scene->UnderlayItemCount(), 24) << "the walls' layer, grey under the rooms";
    form->Plan->Underlay->setChecked(false);
    EXPECT_EQ(form->Plan->Scene->UnderlayItemCount(), 0);
    form->Plan->Underlay->setChecked(true);
    TriggerAction(form.get(), "EditUndo");
    EXPECT_TRUE(form->Project().rooms.empty());
}

// A corner dragged moves it, a door clicked on a shared wall joins the rooms, the
// manifold goes where it is clicked; each one step.
TEST_F(PlanViewTest, CornerDoorAndManifoldTools)
{
    form->Plan->Floor->setCurrentIndex(0);
    form->Plan->View->Fit();
    auto& p = form->Project();
    const int hall = p.FindItem(Cp(QStringLiteral("Fsz. Előtér")), true);
    ASSERT_GE(hall, 0);
    const std::int32_t id = p.rooms[hall].roomId;
    form->Plan->CornerAction->trigger();
    Drag({14.75, 8.5}, {15.25, 8.5}); // the hall's outer corner half a metre out
    EXPECT_FLOAT_EQ(p.rooms[hall].floorArea, 12.0f);
    const std::size_t doors = p.plan.doors.size();
    form->Plan->DoorAction->trigger();
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, At(11.95, 6.8));
    ASSERT_EQ(p.plan.doors.size(), doors + 1);
    EXPECT_EQ(p.plan.doors.back().roomB, id) << "the Konyha's wall to the hall";
    form->Plan->ManifoldAction->trigger();
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, At(13.5, 7.5));
    const auto placed = std::find_if(p.plan.manifolds.begin(), p.plan.manifolds.end(),
                                     [](const plan::ManifoldPlace& m) { return m.manifold == 0; });
    ASSERT_NE(placed, p.plan.manifolds.end());
    EXPECT_NEAR(placed->position.x, 13.5, 0.05);
    TriggerAction(form.get(), "EditUndo");
    TriggerAction(form.get(), "EditUndo");
    TriggerAction(form.get(), "EditUndo");
    EXPECT_FLOAT_EQ(p.rooms[hall].floorArea, 11.0f);
    EXPECT_FALSE(p.modified);
}

// "Csővezetés: mind" lays every circuit as one step: the ground floor's eight
// circuits are drawn, each in its colour with its name and length, the laid lengths
// are the circuits' tube lengths; undo takes the tubes away again.  The laid floor
// is kept as layout-villa-ground.png for review.
TEST_F(PlanViewTest, LayingTheTubes)
{
    EXPECT_EQ(form->Plan->Scene->TubeItemCount(), 0);
    ASSERT_TRUE(form->Plan->LayAllAction->isEnabled());
    form->Plan->LayAllAction->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(messages.shown.empty()) << messages.LastText();
    EXPECT_EQ(form->Plan->Scene->TubeItemCount(), 8) << "the ground floor's circuits";
    EXPECT_TRUE(form->Project().modified);
    for (const TRoundItem& r : form->Project().rounds) {
        ASSERT_TRUE(r.layout.laid) << r.roundName;
        EXPECT_NEAR(r.hydraulic.tubeLength, r.layout.length, 0.005) << r.roundName;
    }
    form->Plan->View->Fit();
    SavePicture(form.get(), "layout-villa-ground.png");
    // The laid tubes as a drawing, a layer per circuit.
    const std::string dxf = KALORINA_BINARY_DIR "/plan-villa-laid.dxf";
    std::filesystem::remove(dxf);
    files.Answer(dxf);
    form->Plan->ExportDxfAction->trigger();
    ASSERT_TRUE(std::filesystem::exists(dxf));
    const plan::DxfDrawing drawing = plan::ReadDxf([&] {
        std::ifstream in(dxf, std::ios::binary);
        return std::string{std::istreambuf_iterator<char>(in), {}};
    }());
    EXPECT_EQ(std::count_if(drawing.layers.begin(), drawing.layers.end(),
                            [](const std::string& l) { return l.starts_with("Kor_"); }),
              13);
    // Hidden at a tick, shown again.
    form->Plan->Tubes->setChecked(false);
    EXPECT_EQ(form->Plan->Scene->TubeItemCount(), 0);
    form->Plan->Tubes->setChecked(true);
    EXPECT_EQ(form->Plan->Scene->TubeItemCount(), 8);

    TriggerAction(form.get(), "EditUndo");
    EXPECT_EQ(form->Plan->Scene->TubeItemCount(), 0);
    EXPECT_FALSE(form->Project().modified);
    for (const TRoundItem& r : form->Project().rounds)
        EXPECT_FALSE(r.layout.laid);
    // A room selected lays only its own circuits.
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, At(2, 2));
    ASSERT_TRUE(form->Plan->LayRoomAction->isEnabled());
    form->Plan->LayRoomAction->trigger();
    int laid = 0;
    for (const TRoundItem& r : form->Project().rounds)
        laid += r.layout.laid;
    EXPECT_EQ(laid, 2) << "the living room's two circuits";
}

// The line between the living room's two circuits dragged half a metre: one part
// grows by what the other loses, their fields follow, both circuits are laid again,
// all in one step that undo takes back; Escape in the middle leaves nothing.
TEST_F(PlanViewTest, MovingTheLineBetweenTwoCircuits)
{
    form->Plan->LayAllAction->trigger();
    const TProject& p = form->Project();
    const plan::Polygon first = p.rounds[0].layout.parts.at(0).region, second = p.rounds[1].layout.parts.at(0).region;
    ASSERT_EQ(p.rounds[0].layout.parts[0].roomId, p.rounds[1].layout.parts[0].roomId) << "both in the living room";
    // The shared line: the first region's side towards the second.
    double firstLeft = 1e9, firstRight = -1e9, secondLeft = 1e9, top = -1e9, bottom = 1e9;
    for (const plan::Point& c : first) {
        firstLeft = std::min(firstLeft, c.x);
        firstRight = std::max(firstRight, c.x);
    }
    for (const plan::Point& c : second) {
        secondLeft = std::min(secondLeft, c.x);
        top = std::max(top, c.y);
        bottom = std::min(bottom, c.y);
    }
    const bool firstOnTheRight = firstLeft > secondLeft;
    const double split = firstOnTheRight ? firstLeft : firstRight, grow = firstOnTheRight ? -0.5 : 0.5;
    const float a = p.rounds[0].roundFields[0].assignedPart, b = p.rounds[1].roundFields[0].assignedPart;
    form->Plan->SplitAction->trigger();
    const double middle = (top + bottom) / 2;
    // Escape while dragging: nothing changes.
    QTest::mousePress(Viewport(), Qt::LeftButton, {}, At(split, middle));
    QTest::keyClick(Viewport(), Qt::Key_Escape);
    EXPECT_FLOAT_EQ(p.rounds[0].roundFields[0].assignedPart, a);
    Drag({split, middle}, {split + grow, middle});
    const float grown = p.rounds[0].roundFields[0].assignedPart;
    EXPECT_NEAR(grown, a + 0.5 * (top - bottom), 0.05);
    EXPECT_NEAR(grown + p.rounds[1].roundFields[0].assignedPart, a + b, 0.011);
    EXPECT_TRUE(p.rounds[0].layout.laid && p.rounds[1].layout.laid);
    EXPECT_NEAR(std::fabs(plan::SignedArea(p.rounds[0].layout.parts[0].region)), grown, 0.02 * grown);
    TriggerAction(form.get(), "EditUndo");
    EXPECT_FLOAT_EQ(form->Project().rounds[0].roundFields[0].assignedPart, a);
    EXPECT_FLOAT_EQ(form->Project().rounds[1].roundFields[0].assignedPart, b);
}
