// The circuit, fitting, type chooser and project options dialogs through their real
// widgets, on the shipped catalogue and languages, and a whole design made through
// the dialogs alone.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>

#include <filesystem>

#include "GuiTest.h"
#include "app/ProjectFiles.h"
#include "app/ProjectRecalc.h"
#include "app/ProjectSummary.h"
#include "app/RoomEditor.h"
#include "app/Startup.h"
#include "app/TMainForm.h"
#include "catalogue/TDevices.h"
#include "dialogs/FittingDialogs.h"
#include "dialogs/FittingsPanel.h"
#include "dialogs/TFieldAreaModifyForm.h"
#include "dialogs/TProjektOptionsForm.h"
#include "dialogs/TRoomModifyForm.h"
#include "dialogs/TRoundModifyForm.h"
#include "dialogs/TTreeForComboForm.h"
#include "lang/BuiltInTexts.h"
#include "lang/TLanguages.h"
#include "listview/TListViewWithHeader.h"
#include "platform/NumberInput.h"
#include "platform/QtText.h"
#include "util/ParseNumber.h"

using namespace kalorina;
using namespace kalorina::gui;

namespace {

QString U(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

class CircuitDialogTest : public test::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        Reset();
        UseShippedLanguage("Magyar");
        devices = std::make_unique<TDevices>(KALORINA_SOURCE_DIR "/data", Languages().GetText("IDS_DEVICEDBLANGUAGE"));
        ASSERT_FALSE(devices->Failed()) << devices->FailureMessage();
        project.options.medium.forward = 40;
        project.options.medium.return_ = 35;
        project.options.valveType = devices->DefaultValveName();
        AddRoom(12, 800, 10, 100);
        AddRoom(9, 500, 8, 150);
        project.AddNewRound();
    }
    void TearDown() override
    {
        Reset();
        GuiTest::TearDown();
    }
    static void Reset()
    {
        CircuitDialogState() = CircuitDialogMemory{};
        ProjectOptionsDialogState() = FittingsTreeMemory{};
        RoomDialogState() = RoomDialogMemory{};
    }
    // A room with one field of `area` m2, laid without windows: these tests are about circuits.
    void AddRoom(double floor, double loss, double area, int spacing)
    {
        project.AddNewRoom();
        RoomEditor editor(project.rooms.back(), *devices, project.options);
        auto choice = editor.SelectSystem("Vexalon FH-W16", true);
        ASSERT_TRUE(choice && choice->coverings.size() > 1);
        editor.SetRoomValues("", floor, 20, loss);
        ChooseInputs in;
        in.design = {40, 35, 20, loss, floor, 0, 0};
        in.covering = choice->coverings[1];
        // The resistance as the dialog shows it, in the language's form.
        in.R = static_cast<double>(ParseNumber(editor.CoveringChanged(in.covering).value_or("0.05")));
        ASSERT_TRUE(editor.AddField(in, spacing, [area](double& a, int&, double) {
            a = area;
            return true;
        }));
        project.rooms.back() = editor.Commit({});
    }
    std::unique_ptr<TRoundModifyForm> Open()
    {
        auto form = std::make_unique<TRoundModifyForm>(project.rounds[0], project, *devices, Services());
        form->show();
        QApplication::setActiveWindow(form.get());
        return form;
    }
    static void Type(QLineEdit* edit, const QString& text)
    {
        edit->setText(text);
        emit edit->editingFinished();
    }
    static void Choose(QComboBox* combo, int index)
    {
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    // Adds the first listed field of room `room` and answers the area dialog with `area`.
    void AddField(TRoundModifyForm& f, int room, const char* area)
    {
        f.RoomsList->setCurrentRow(room);
        ASSERT_GT(f.RoomFieldsList->topLevelItemCount(), 0);
        f.RoomFieldsList->setCurrentItem(f.RoomFieldsList->topLevelItem(0));
        OnModal(
            [area](QDialog& d) {
                auto* a = static_cast<TFieldAreaModifyForm*>(&d);
                a->Area->setText(QString::fromLatin1(area));
                d.findChild<QPushButton*>("OKButton")->click();
            },
            "FieldAreaModifyForm");
        TriggerAction(&f, "AddFieldAction");
    }
    static QTreeWidgetItem* TreeNode(QTreeWidget* tree, const QString& text)
    {
        auto found = tree->findItems(text, Qt::MatchRecursive | Qt::MatchExactly);
        return found.isEmpty() ? nullptr : found[0];
    }
    std::string Status(QDialog& f) { return Cp(f.findChild<QStatusBar*>("StatusBar")->currentMessage()); }
    // The main window on a copy of a shipped example, which has no file name then.
    std::unique_ptr<TMainForm> OpenExample(const char* name)
    {
        const std::string copy = std::string(KALORINA_BINARY_DIR "/") + name;
        std::filesystem::copy_file(std::string(KALORINA_SOURCE_DIR "/examples/") + name, copy,
                                   std::filesystem::copy_options::overwrite_existing);
        auto form = CreateMainForm(Services());
        files.Answer(copy);
        TriggerAction(form.get(), "FileOpen");
        EXPECT_EQ(form->Project().fileName, copy);
        form->Controller().Change("", [](TProject& p) { p.fileName.clear(); });
        return form;
    }
    // "Mentés másként" to `path`; the file read back as `kalorina-cli show` reads it.
    TProject SaveAs(TMainForm& form, const std::string& path)
    {
        files.Answer(path);
        TriggerAction(&form, "FileSaveAs");
        TProject shown;
        ReadProjectFile(path, shown);
        shown.RecountAssignedSurfaces();
        shown.ComputeTotals();
        return shown;
    }
    // The file's project as `show` prints it, and after `recalc`: equal when what is
    // stored recalculates to itself.
    std::pair<std::string, std::string> ShownAndRecalculated(const TProject& shown, TMainForm& form)
    {
        TProject recomputed = shown;
        RecalculateProject(recomputed, form.Controller().Devices(), false);
        return {ProjectJson(shown, RecalcOutcome(shown)), ProjectJson(recomputed, RecalcOutcome(recomputed))};
    }
    QTreeWidgetItem* ItemNode(TMainForm& form, const char* utf8Name)
    {
        QTreeWidgetItem* node = TreeNode(form.ItemsTree, U(utf8Name));
        EXPECT_NE(node, nullptr) << utf8Name;
        return node;
    }

    std::unique_ptr<TDevices> devices;
    TProject project;
};

} // namespace

TEST_F(CircuitDialogTest, FieldsOfTwoRoomsAreSizedLive)
{
    auto f = Open();
    EXPECT_EQ(f->windowTitle(), Q(project.rounds[0].roundName));
    ASSERT_EQ(f->RoomsList->count(), 2);
    EXPECT_TRUE(f->Volume->isReadOnly());
    EXPECT_FALSE(f->BackwardTemperature->isReadOnly());
    EXPECT_FALSE(f->AddFieldAction->isEnabled());

    AddField(*f, 0, "10");
    AddField(*f, 1, "5");
    const THydraulic& h = f->Round().hydraulic;
    ASSERT_EQ(f->RoundFieldsList->topLevelItemCount(), 3); // two parts and the totals
    EXPECT_GT(h.power, 0);
    EXPECT_EQ(f->Volume->text(), Q(General(h.massFlow, 4)));
    EXPECT_EQ(f->Length->text(), Q(General(h.tubeLength, 4)));
    EXPECT_NEAR(h.fieldsTubeLength, 10 * 1000.0 / 100 + 5 * 1000.0 / 150, 0.01);
    EXPECT_FALSE(f->ValvePosition->text().isEmpty());
    EXPECT_FALSE(f->DifferentTemperaturesWarning->isVisible());
    // 133 m of tube need more than the 20000 Pa the manifold offers: red, and said why.
    EXPECT_TRUE(h.flags & THydraulic::kBitPressureExceeded);
    EXPECT_NE(f->NeededTrottle->styleSheet().indexOf(QStringLiteral("red")), -1);
    EXPECT_EQ(Status(*f), HydraulicWarningText(h.flags));
    EXPECT_NE(Status(*f).find(Languages().GetText("IDS_HYDRAULICWARNING+5")), std::string::npos);
    // The first room's field is built in whole: with the box ticked only the second room is offered.
    f->ViewOnlyNotUsed->setChecked(true);
    ASSERT_EQ(f->RoomsList->count(), 1);
    EXPECT_EQ(f->RoomsList->item(0)->text(), Q(project.rooms[1].roomName));

    // The mass flow given: the return temperature is computed and shown.
    const QString flow = f->Volume->text();
    f->DefinedVolume->click();
    EXPECT_TRUE(f->BackwardTemperature->isReadOnly());
    EXPECT_FALSE(f->Volume->isReadOnly());
    const double doubled = 2 * h.massFlow;
    Type(f->Volume, QString::number(doubled));
    EXPECT_EQ(f->BackwardTemperature->text(), U("37,5"));
    f->DefinedTemperature->click();
    Type(f->BackwardTemperature, QStringLiteral("35"));
    EXPECT_EQ(f->Volume->text(), flow);
    // Typing follows each keystroke that leaves a number.
    f->ForwardTemperature->setText(QStringLiteral("41"));
    emit f->ForwardTemperature->textEdited(QStringLiteral("41"));
    EXPECT_NE(f->Volume->text(), flow);
    f->ForwardTemperature->setText(QStringLiteral("4x"));
    emit f->ForwardTemperature->textEdited(QStringLiteral("4x"));
    EXPECT_NE(Status(*f), Languages().GetText("IDS_WRONGVALUE")); // not while typing
    Type(f->ForwardTemperature, QStringLiteral("40"));
    EXPECT_EQ(f->Volume->text(), flow);

    // In series the parts' temperatures fall in their order, which "Lefelé" changes.
    f->SerialMode->click();
    const auto& parts = f->Round().roundFields;
    const float firstOut = parts[0].outletTemp;
    EXPECT_LT(firstOut, 40);
    EXPECT_FLOAT_EQ(parts[1].inletTemp, firstOut);
    f->RoundFieldsList->setCurrentItem(f->RoundFieldsList->topLevelItem(0));
    EXPECT_FALSE(f->MoveUpFieldAction->isEnabled());
    TriggerAction(f.get(), "MoveDownFieldAction");
    EXPECT_NE(parts[0].outletTemp, firstOut);
    EXPECT_FALSE(f->MoveDownFieldAction->isEnabled()); // now the last part
    f->BifilarMode->click();
    EXPECT_FLOAT_EQ(parts[0].outletTemp, 35);

    // A user-defined medium: its properties are typed in.
    Choose(f->MediumType, f->MediumType->count() - 1);
    EXPECT_FALSE(f->SpecificHeat->isReadOnly());
    Type(f->SpecificHeat, QStringLiteral("3500"));
    EXPECT_EQ(h.medium.mediumName, "");
    EXPECT_NEAR(h.massFlow, h.power / 5.0 / 3500 * 3600, 0.01);
    Choose(f->MediumType, 0);
    EXPECT_TRUE(f->SpecificHeat->isReadOnly());
    EXPECT_FALSE(h.medium.mediumName.empty());

    // A bad number is reported and keeps the focus.
    Type(f->AvailablePressure, QStringLiteral("sok"));
    EXPECT_EQ(Status(*f), RangeMessage(InputKind::Pressure, FieldName(f->AvailablePressure)));
    Type(f->AvailablePressure, QStringLiteral("60000"));
    EXPECT_EQ(Status(*f), HydraulicWarningText(h.flags));
    EXPECT_FALSE(h.flags & THydraulic::kBitPressureExceeded);
    EXPECT_EQ(f->NeededTrottle->styleSheet().indexOf(QStringLiteral("red")), -1);

    f->PageControl1->setCurrentIndex(0);
    SavePicture(f.get(), "circuit-fields.png");
    f->PageControl1->setCurrentIndex(1);
    EXPECT_FALSE(f->TubeType->text().isEmpty());
    EXPECT_FALSE(f->Speed->text().isEmpty());
    SavePicture(f.get(), "circuit-hydraulics.png");

    // Deleting the last part leaves the totals row selected and the commands off.
    f->PageControl1->setCurrentIndex(0);
    f->RoundFieldsList->setCurrentItem(f->RoundFieldsList->topLevelItem(1));
    TriggerAction(f.get(), "DeleteFieldAction");
    EXPECT_EQ(f->RoundFieldsList->topLevelItemCount(), 2);
    EXPECT_FALSE(f->DeleteFieldAction->isEnabled());
}

TEST_F(CircuitDialogTest, FittingsFromTheTreeAndOfTheUsersOwn)
{
    auto f = Open();
    AddField(*f, 0, "10");
    const float before = f->Round().hydraulic.fittingsPressureDrop;
    f->PageControl1->setCurrentIndex(1);
    QTreeWidgetItem* elbow = TreeNode(f->Fittings->ResistsTree, U("Vexalon PF-E90"));
    ASSERT_NE(elbow, nullptr);
    f->Fittings->ResistsTree->setCurrentItem(elbow);
    OnModal(
        [](QDialog& d) {
            auto* r = static_cast<TResistModifyForm*>(&d);
            EXPECT_EQ(r->SizeName->currentIndex(), 0); // automatic
            r->NumOf->setText(QStringLiteral("4"));
            r->SizeName->setCurrentIndex(r->SizeName->findText(QStringLiteral("DN15")));
            emit r->SizeName->activated(r->SizeName->currentIndex());
            EXPECT_EQ(r->Value->text(), QStringLiteral("1,7"));
            SavePicture(r, "fitting-dialog.png");
            d.findChild<QPushButton*>("OKButton")->click();
        },
        "ResistModifyForm");
    TriggerAction(f.get(), "AddResistAction");
    ASSERT_EQ(f->Round().hydraulic.fittings.size(), 1u);
    EXPECT_EQ(f->Round().hydraulic.fittings[0].count, 4);
    EXPECT_EQ(f->Round().hydraulic.fittings[0].sizeName, "DN15");
    EXPECT_GT(f->Round().hydraulic.fittingsPressureDrop, before);

    // A fitting of the user's own; the count 2.5 is refused first.
    OnModal(
        [](QDialog& d) {
            auto* u = static_cast<TUniqueResistModifyForm*>(&d);
            u->Name->setText(QStringLiteral("Szűrő"));
            u->NumOf->setText(QStringLiteral("2.5"));
            u->SizeName->setText(QStringLiteral("20"));
            u->Mode->setCurrentIndex(2);
            u->Value->setText(QStringLiteral("1500"));
            d.findChild<QPushButton*>("OKButton")->click();
            EXPECT_TRUE(d.isVisible());
            u->NumOf->setText(QStringLiteral("1"));
            d.findChild<QPushButton*>("OKButton")->click();
        },
        "UniqueResistModifyForm");
    TriggerAction(f.get(), "AddUniqueResistAction");
    EXPECT_EQ(messages.LastText(), Cp(QStringLiteral("Darabszám: 1 és 1000 közötti egész számot adjon meg.")));
    ASSERT_EQ(f->Round().hydraulic.fittings.size(), 2u);
    EXPECT_TRUE(f->Round().hydraulic.fittings[1].unique);
    EXPECT_EQ(f->Fittings->ResistsList->topLevelItemCount(), 2);
    EXPECT_EQ(f->DpResists->text(), Q(Whole(f->Round().hydraulic.fittingsPressureDrop)));
    EXPECT_GE(f->Round().hydraulic.fittingsPressureDrop, 1500); // 1500 Pa of the user's own

    // Cancel after choosing another size leaves the line as it was.
    const TResist elbowLine = f->Round().hydraulic.fittings[0];
    f->Fittings->SelectFitting(0);
    OnModal(
        [](QDialog& d) {
            auto* r = static_cast<TResistModifyForm*>(&d);
            r->SizeName->setCurrentIndex(r->SizeName->findText(QStringLiteral("DN20")));
            emit r->SizeName->activated(r->SizeName->currentIndex());
            EXPECT_EQ(r->Value->text(), QStringLiteral("1,5"));
            d.findChild<QPushButton*>("CancelButton")->click();
        },
        "ResistModifyForm");
    TriggerAction(f.get(), "ModifyResistAction");
    EXPECT_EQ(f->Round().hydraulic.fittings[0], elbowLine);

    // Delete asks first; No keeps the line.
    f->Fittings->SelectFitting(1);
    messages.Answer(MessageAnswer::No);
    TriggerAction(f.get(), "DeleteResistAction");
    EXPECT_EQ(f->Round().hydraulic.fittings.size(), 2u);
    messages.Answer(MessageAnswer::Yes);
    TriggerAction(f.get(), "DeleteResistAction");
    EXPECT_EQ(f->Round().hydraulic.fittings.size(), 1u);
}

TEST_F(CircuitDialogTest, RecalculatingTheFieldsIsUndoneByCancel)
{
    project.modified = false;
    const TProject before = project;
    auto f = Open();
    AddField(*f, 0, "6");
    Type(f->ForwardTemperature, QStringLiteral("45"));
    EXPECT_TRUE(f->DifferentTemperaturesWarning->isVisible());
    EXPECT_TRUE(f->RecalcFieldsAction->isVisible());
    TriggerAction(f.get(), "RecalcFieldsAction");
    EXPECT_FALSE(f->DifferentTemperaturesWarning->isVisible());
    EXPECT_FALSE(f->RecalcFieldsAction->isVisible());
    // The split and recomputed field is the dialog's own until OK.
    EXPECT_EQ(f->Editor().Rooms()[0].fields.size(), 2u);
    f->reject();
    f.reset();
    EXPECT_TRUE(project.SameContent(before));
    EXPECT_FALSE(project.modified);
}

TEST_F(CircuitDialogTest, TheStatusBarAlwaysTellsTheStateAfterTheLatestChange)
{
    // The first room's field gives no output: alone it makes a circuit that cannot be computed.
    project.rooms[0].fields[0].power = 0;
    project.rooms[0].fields[0].downPower = 0;
    const std::string noOutput = Languages().GetText("IDS_CIRCUITWITHOUTPOWER");
    ASSERT_FALSE(noOutput.empty());
    auto f = Open();
    AddField(*f, 0, "10");
    EXPECT_EQ(Status(*f), noOutput);
    AddField(*f, 1, "8");
    const std::string warnings = HydraulicWarningText(f->Round().hydraulic.flags);
    EXPECT_EQ(Status(*f), warnings);
    // Moving: still computable.
    f->RoundFieldsList->setCurrentItem(f->RoundFieldsList->topLevelItem(1));
    TriggerAction(f.get(), "MoveUpFieldAction");
    EXPECT_EQ(Status(*f), HydraulicWarningText(f->Round().hydraulic.flags));
    // Deleting the part with output: the failure is said at once.
    f->RoundFieldsList->setCurrentItem(f->RoundFieldsList->topLevelItem(0));
    TriggerAction(f.get(), "DeleteFieldAction");
    ASSERT_EQ(f->Round().roundFields.size(), 1u);
    EXPECT_EQ(Status(*f), noOutput);
    // Modifying the part left keeps it without output, and says so.
    f->RoundFieldsList->setCurrentItem(f->RoundFieldsList->topLevelItem(0));
    OnModal(
        [](QDialog& d) {
            static_cast<TFieldAreaModifyForm*>(&d)->Area->setText(QStringLiteral("5"));
            d.findChild<QPushButton*>("OKButton")->click();
        },
        "FieldAreaModifyForm");
    TriggerAction(f.get(), "ModifyFieldAction");
    EXPECT_EQ(Status(*f), noOutput);
    // Without parts nothing fails any more: the old failure goes.
    f->RoundFieldsList->setCurrentItem(f->RoundFieldsList->topLevelItem(0));
    TriggerAction(f.get(), "DeleteFieldAction");
    EXPECT_TRUE(f->Round().roundFields.empty());
    EXPECT_EQ(Status(*f), HydraulicWarningText(f->Round().hydraulic.flags));
    EXPECT_NE(Status(*f), noOutput);
}

TEST_F(CircuitDialogTest, TypeChooserPicksAValve)
{
    auto f = Open();
    f->PageControl1->setCurrentIndex(1);
    const QString before = f->ValveType->currentText();
    OnModal(
        [](QDialog& d) {
            auto* c = static_cast<TTreeForComboForm*>(&d);
            // Every leaf chooses an item; pick one that is not chosen yet.
            QTreeWidgetItem* leaf = nullptr;
            for (QTreeWidgetItemIterator it(c->TreeView); *it && !leaf; ++it)
                if ((*it)->childCount() == 0 && !(*it)->isSelected())
                    leaf = *it;
            ASSERT_NE(leaf, nullptr);
            c->TreeView->setCurrentItem(leaf);
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(c->TreeView, &enter);
        },
        "TreeForComboForm");
    f->ValveTree->click();
    EXPECT_NE(f->ValveType->currentText(), before);
    EXPECT_EQ(f->Round().hydraulic.valveName, Cp(f->ValveType->currentText()));
    EXPECT_EQ(f->ValveSize->currentIndex(), 0);
    EXPECT_EQ(f->ValveSize->currentText(), Q(Languages().GetText("IDS_AUTO")));
}

TEST_F(CircuitDialogTest, ProjectOptionsChangeWhatANewCircuitStartsFrom)
{
    auto form = CreateMainForm(Services());
    OnModal(
        [this](QDialog& d) {
            auto* o = static_cast<TProjektOptionsForm*>(&d);
            // A new project starts with the catalogue's water.
            const int water = o->MediumType->findText(U("H2O (IAPWS) 0-100 °C"));
            ASSERT_GE(water, 0);
            EXPECT_EQ(o->MediumType->currentIndex(), water);
            o->MediumType->setCurrentIndex(o->MediumType->count() - 1);
            EXPECT_FALSE(o->Ro->isReadOnly()); // typed in for the user-defined medium
            o->MediumType->setCurrentIndex(water);
            EXPECT_TRUE(o->Ro->isReadOnly()); // a catalogue medium
            Type(o->ForwardTemperature, QStringLiteral("45"));
            Type(o->BackwardTemperature, QStringLiteral("38"));
            o->LengthPlus->setText(QStringLiteral("10"));
            o->LengthPlusMode->setCurrentIndex(0);
            o->AvailablePressure->setText(QStringLiteral("15000"));
            // With the build-up under the tubes the downward k follows from it; an
            // insulation beyond a real floor's is refused with the range.
            EXPECT_TRUE(o->BuildUpGroup->isChecked());
            EXPECT_TRUE(o->Oversidek->isReadOnly());
            o->InsulationR->setText(QStringLiteral("1.25"));
            emit o->InsulationR->editingFinished();
            EXPECT_EQ(o->Oversidek->text(), QStringLiteral("0,658"));
            o->InsulationR->setText(QStringLiteral("40"));
            d.findChild<QPushButton*>("OKButton")->click();
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(Status(d), RangeMessage(InputKind::Resistance, FieldName(o->InsulationR)));
            o->InsulationR->setText(QStringLiteral("1.25"));
            // Without one, the k is typed, and a negative one refused.
            o->BuildUpGroup->setChecked(false);
            EXPECT_FALSE(o->Oversidek->isReadOnly());
            o->Oversidek->setText(QStringLiteral("-1"));
            d.findChild<QPushButton*>("OKButton")->click();
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(Status(d), RangeMessage(InputKind::DownK, FieldName(o->Oversidek)));
            o->Oversidek->setText(QStringLiteral("0.5"));
            o->Fittings->ResistsTree->setCurrentItem(TreeNode(o->Fittings->ResistsTree, U("Vexalon BV-FB")));
            OnModal([](QDialog& r) { r.findChild<QPushButton*>("OKButton")->click(); }, "ResistModifyForm");
            TriggerAction(o, "AddResistAction");
            EXPECT_EQ(o->Fittings->ResistsList->topLevelItemCount(), 1);
            SavePicture(o, "project-options.png");
            d.findChild<QPushButton*>("OKButton")->click();
        },
        "ProjektOptionsForm");
    TriggerAction(form.get(), "ProjektOptionsAction");
    EXPECT_TRUE(form->Project().modified);
    TriggerAction(form.get(), "NewRoundItemAction");
    const THydraulic& h = form->Project().rounds.back().hydraulic;
    EXPECT_FLOAT_EQ(h.medium.forward, 45);
    EXPECT_FLOAT_EQ(h.medium.return_, 38);
    EXPECT_EQ(h.medium.mediumName, Cp(U("H2O (IAPWS) 0-100 °C")));
    EXPECT_FLOAT_EQ(h.extraLength, 10);
    EXPECT_EQ(h.extraInMetres, 0);
    EXPECT_FLOAT_EQ(h.availablePressure, 15000);
    ASSERT_EQ(h.fittings.size(), 1u);
    EXPECT_EQ(h.fittings[0].resistName, Cp(U("Vexalon BV-FB")));
}

namespace {

// One room laid out in the room dialog: area, heat loss, the wet system, the
// optimum split.
void DesignRoom(QDialog& d, const char* area, const char* loss)
{
    auto* f = static_cast<TRoomModifyForm*>(&d);
    f->Area->setText(QString::fromLatin1(area));
    emit f->Area->editingFinished();
    f->HeatingPower->setText(QString::fromLatin1(loss));
    emit f->HeatingPower->editingFinished();
    auto found = f->FloorHeatingsTreeView->findItems(QStringLiteral("Vexalon FH-W16"), Qt::MatchRecursive);
    ASSERT_EQ(found.size(), 1);
    f->FloorHeatingsTreeView->setCurrentItem(found[0]);
    f->FloorHeatingSurfaceType->setCurrentIndex(1);
    auto* optimum = f->findChild<QAction*>(QStringLiteral("OptimimFloorHeatingAction"));
    ASSERT_TRUE(optimum && optimum->isEnabled());
    optimum->trigger();
    EXPECT_FALSE(f->Room().fields.empty());
    d.findChild<QPushButton*>("OKButton")->click();
}

} // namespace

// A project designed from nothing through the dialogs alone: two rooms with their
// fields, a serial circuit with a catalogue fitting and a bifilar one with a fitting
// of the user's own, saved; the file as `show` reads it has every field built in,
// no warnings and chosen presettings, and recalculates to exactly what it stores.
TEST_F(CircuitDialogTest, ScenarioDesignAProjectThroughTheDialogs)
{
    auto form = CreateMainForm(Services());
    auto node = [&](int group, int index) {
        QTreeWidgetItem* parent = form->ItemsTree->topLevelItem(group);
        if (group == 1)
            parent = parent->child(0); // circuits stand under their manifold
        QTreeWidgetItem* item = parent->child(index);
        form->ItemsTree->setCurrentItem(item);
        return item;
    };
    const char* rooms[][2] = {{"14", "900"}, {"9", "550"}};
    for (int i = 0; i < 2; ++i) {
        TriggerAction(form.get(), "NewRoomItemAction");
        OnModal([&, i](QDialog& d) { DesignRoom(d, rooms[i][0], rooms[i][1]); }, "RoomModifyForm");
        emit form->ItemsTree->itemDoubleClicked(node(0, i), 0);
    }
    ASSERT_FALSE(form->Project().rooms[1].fields.empty());

    // Each circuit takes every field of one room, whole.
    auto circuit = [&](int room, bool serial, const std::function<void(TRoundModifyForm&)>& fittings) {
        OnModal(
            [&, room, serial](QDialog& d) {
                auto* f = static_cast<TRoundModifyForm*>(&d);
                f->ViewOnlyNotUsed->setChecked(true);
                f->RoomsList->setCurrentRow(0);
                EXPECT_EQ(Cp(f->RoomsList->currentItem()->text()), form->Project().rooms[room].roomName);
                while (f->RoomFieldsList->topLevelItemCount() > 0) {
                    f->RoomFieldsList->setCurrentItem(f->RoomFieldsList->topLevelItem(0));
                    OnModal([](QDialog& a) { a.findChild<QPushButton*>("OKButton")->click(); }, "FieldAreaModifyForm");
                    TriggerAction(f, "AddFieldAction");
                    if (f->RoomsList->count() == 0
                        || Cp(f->RoomsList->item(0)->text()) != form->Project().rooms[room].roomName)
                        break;
                }
                (serial ? f->SerialMode : f->BifilarMode)->click();
                if (f->RecalcFieldsAction->isVisible())
                    TriggerAction(f, "RecalcFieldsAction");
                EXPECT_FALSE(f->DifferentTemperaturesWarning->isVisible());
                f->PageControl1->setCurrentIndex(1);
                fittings(*f);
                // The manifold offers what the circuit needs and a margin for the valve.
                Type(f->AvailablePressure, QString::number(f->Round().hydraulic.circuitPressureDrop + 5000, 'f', 0));
                EXPECT_TRUE(f->NeededTrottle->styleSheet().indexOf("red") < 0);
                EXPECT_FALSE(f->ValvePosition->text().isEmpty());
                EXPECT_EQ(f->Round().hydraulic.flags, 0);
                EXPECT_TRUE(Cp(f->StatusBar->currentMessage()).empty());
                d.findChild<QPushButton*>("OKButton")->click();
            },
            "RoundModifyForm");
    };
    TriggerAction(form.get(), "NewRoundItemAction");
    circuit(0, true, [this](TRoundModifyForm& f) {
        f.Fittings->ResistsTree->setCurrentItem(TreeNode(f.Fittings->ResistsTree, U("Vexalon PF-E90")));
        OnModal([](QDialog& r) { r.findChild<QPushButton*>("OKButton")->click(); }, "ResistModifyForm");
        TriggerAction(&f, "AddResistAction");
    });
    TriggerAction(form.get(), "ModifyItemAction");
    TriggerAction(form.get(), "NewRoundItemAction");
    node(1, 1);
    circuit(1, false, [this](TRoundModifyForm& f) {
        OnModal(
            [](QDialog& d) {
                auto* u = static_cast<TUniqueResistModifyForm*>(&d);
                u->Name->setText(QStringLiteral("Szűrő"));
                u->SizeName->setText(QStringLiteral("16"));
                u->Mode->setCurrentIndex(2);
                u->Value->setText(QStringLiteral("800"));
                d.findChild<QPushButton*>("OKButton")->click();
            },
            "UniqueResistModifyForm");
        TriggerAction(&f, "AddUniqueResistAction");
    });
    TriggerAction(form.get(), "ModifyItemAction");
    EXPECT_EQ(form->totals[3]->text().isEmpty(), false);

    const std::string path = KALORINA_BINARY_DIR "/design-scenario.klp";
    // The file as `kalorina-cli show` reads it.
    const TProject shown = SaveAndReadBack(form.get(), path);
    EXPECT_FALSE(form->Project().modified);
    const std::string json = ProjectJson(shown, RecalcOutcome(shown));
    ASSERT_EQ(shown.rooms.size(), 2u);
    ASSERT_EQ(shown.rounds.size(), 2u);
    for (const TRoomItem& room : shown.rooms)
        for (const FloorHeatingField& field : room.fields)
            EXPECT_NEAR(field.assignedArea, field.area, 1e-4) << room.roomName;
    EXPECT_NEAR(shown.remainderSurfaceSum, 0, 1e-3);
    EXPECT_EQ(shown.rounds[0].connectionFlags & TRoundItem::kSeries, TRoundItem::kSeries);
    EXPECT_EQ(shown.rounds[1].connectionFlags & TRoundItem::kSeries, 0);
    for (const TRoundItem& round : shown.rounds) {
        EXPECT_EQ(round.hydraulic.flags, 0) << round.roundName;
        EXPECT_FALSE(round.hydraulic.valvePosition.empty()) << round.roundName;
        EXPECT_EQ(round.hydraulic.fittings.size(), 1u);
    }
    EXPECT_NE(json.find("\"valvePosition\""), std::string::npos) << json;

    // Recalculating changes no number.
    TProject recomputed = shown;
    RecalculateProject(recomputed, form->Controller().Devices(), false);
    EXPECT_EQ(ProjectJson(recomputed, RecalcOutcome(recomputed)), json);
}

TEST_F(CircuitDialogTest, WindowsSpeakEnglish)
{
    UseShippedLanguage("English");
    auto f = Open();
    EXPECT_EQ(f->PageControl1->tabText(1), QStringLiteral("Hydraulic data"));
    EXPECT_EQ(f->RecalcFieldsAction->text(), QStringLiteral("Recalculate"));
    EXPECT_EQ(f->ViewOnlyNotUsed->text(), QStringLiteral("Show only fields not yet built in"));
    EXPECT_EQ(f->MediumType->itemText(f->MediumType->count() - 1), QStringLiteral("User-defined medium"));
    EXPECT_EQ(f->Fittings->ResistsTree->topLevelItem(0)->text(0), QStringLiteral("Fittings"));
    TResist own;
    TUniqueResistModifyForm unique(own, Services());
    EXPECT_EQ(unique.windowTitle(), QStringLiteral("Fitting data"));
    EXPECT_EQ(unique.Mode->itemText(0), QStringLiteral("kv value [m3/h]"));
    // Its name box has room for a fitting's name as catalogues write them.
    const QString longName = QStringLiteral("Ball valve DN20, female thread");
    EXPECT_GE(unique.Name->minimumWidth(), unique.Name->fontMetrics().horizontalAdvance(longName));
    TProjektOptionsForm options(project.options, *devices, Services());
    EXPECT_EQ(options.windowTitle(), QStringLiteral("Project settings"));
    EXPECT_EQ(options.findChild<QLabel*>("LengthPlusLabel")->text(), QStringLiteral("Extra length"));
}

TEST_F(CircuitDialogTest, PageFilterAndFittingNodeAreRememberedBetweenOpenings)
{
    {
        auto f = Open();
        f->PageControl1->setCurrentIndex(1);
        f->ViewOnlyNotUsed->setChecked(true);
        f->Fittings->ResistsTree->setCurrentItem(TreeNode(f->Fittings->ResistsTree, U("Vexalon BV-FB")));
    }
    auto f = Open();
    EXPECT_EQ(f->PageControl1->currentIndex(), 1);
    EXPECT_TRUE(f->ViewOnlyNotUsed->isChecked());
    ASSERT_NE(f->Fittings->ResistsTree->currentItem(), nullptr);
    EXPECT_EQ(f->Fittings->ResistsTree->currentItem()->text(0), U("Vexalon BV-FB"));
    EXPECT_TRUE(f->Fittings->AddResistAction->isEnabled());
    // Cancel through the caller's run hands nothing back.
    OnModal([](QDialog& d) { d.reject(); }, "RoundModifyForm");
    CircuitEdit copy{project.rounds[0], project.rooms};
    copy.round.roundName = "changed by nobody";
    const TRoundItem before = copy.round;
    EXPECT_FALSE(EditRoundInDialog(copy, project, *devices, Services(), nullptr));
    EXPECT_EQ(copy.round, before);
}

// A user raises the forward temperature of a circuit of the flat, recalculates the
// fields and cancels: nothing of it stays.  Done again with OK, the fields change
// with the circuit.  Either way the saved file recalculates to what it stores.
TEST_F(CircuitDialogTest, ScenarioRecalculatedFieldsFollowOkButNotCancel)
{
    auto form = OpenExample("flat.klp");
    const TProject before = form->Project();
    ASSERT_FALSE(before.modified);
    auto raiseAndRecalculate = [this](const char* button) {
        OnModal(
            [button](QDialog& d) {
                auto* f = static_cast<TRoundModifyForm*>(&d);
                Type(f->ForwardTemperature, QStringLiteral("45"));
                ASSERT_TRUE(f->RecalcFieldsAction->isVisible());
                TriggerAction(f, "RecalcFieldsAction");
                EXPECT_FALSE(f->DifferentTemperaturesWarning->isVisible());
                d.findChild<QPushButton*>(button)->click();
            },
            "RoundModifyForm");
    };
    form->ItemsTree->setCurrentItem(ItemNode(*form, "Kör 6"));
    raiseAndRecalculate("CancelButton");
    TriggerAction(form.get(), "ModifyItemAction");
    EXPECT_FALSE(form->Project().modified);
    EXPECT_FALSE(form->FileSave->isEnabled());
    EXPECT_TRUE(form->Project().SameContent(before));
    EXPECT_NEAR(form->Project().fieldPowers, 3.437, 1e-4);
    const TProject cancelled = SaveAs(*form, KALORINA_BINARY_DIR "/flat-cancelled.klp");
    EXPECT_NEAR(cancelled.fieldPowers, 3.437, 1e-4);
    auto [shown, recalculated] = ShownAndRecalculated(cancelled, *form);
    EXPECT_EQ(recalculated, shown);

    form->ItemsTree->setCurrentItem(ItemNode(*form, "Kör 6"));
    raiseAndRecalculate("OKButton");
    TriggerAction(form.get(), "ModifyItemAction");
    EXPECT_TRUE(form->Project().modified);
    const TProject confirmed = SaveAs(*form, KALORINA_BINARY_DIR "/flat-recalculated.klp");
    EXPECT_GT(confirmed.fieldPowers, 3.437 + 0.05);
    EXPECT_FLOAT_EQ(confirmed.fieldPowers, confirmed.roundPowers);
    const TRoundItem& round = confirmed.rounds[confirmed.FindItem("K\xF6r 6", false)];
    EXPECT_FLOAT_EQ(round.hydraulic.medium.forward, 45);
    for (const auto& part : round.roundFields) {
        const FloorHeatingField* field = confirmed.FindRoomField(part.roomRef, part.fieldRef);
        ASSERT_NE(field, nullptr);
        EXPECT_FALSE(field->TemperaturesDiffer(part.inletTemp, part.outletTemp));
    }
    std::tie(shown, recalculated) = ShownAndRecalculated(confirmed, *form);
    EXPECT_EQ(recalculated, shown);
}

// A user deletes the only field of the hall, which a circuit uses: OK of the room
// dialog names the circuit, No goes back to the dialog, Yes takes the part along.
// Then the bathroom goes, after a question that names the same circuit.  The
// circuit is left without parts, output or tube, and the saved file recalculates to
// what it stores.
TEST_F(CircuitDialogTest, ScenarioDeletingAFieldAndARoomThatACircuitUses)
{
    auto form = OpenExample("flat.klp");
    const std::string circuit = "K\xF6r 6";
    form->ItemsTree->setCurrentItem(ItemNode(*form, "Előszoba"));
    OnModal(
        [this, circuit](QDialog& d) {
            auto* f = static_cast<TRoomModifyForm*>(&d);
            f->FloorHeatingsList->setCurrentItem(f->FloorHeatingsList->topLevelItem(0));
            messages.Answer(MessageAnswer::Yes);
            TriggerAction(f, "DeleteFloorHeatingAction");
            ASSERT_TRUE(f->Room().fields.empty());
            messages.Answer(MessageAnswer::No);
            d.findChild<QPushButton*>("OKButton")->click();
            EXPECT_NE(messages.LastText().find(circuit), std::string::npos) << messages.LastText();
            EXPECT_TRUE(d.isVisible());
            EXPECT_TRUE(f->Room().fields.empty());
            messages.Answer(MessageAnswer::Yes);
            d.findChild<QPushButton*>("OKButton")->click();
        },
        "RoomModifyForm");
    TriggerAction(form.get(), "ModifyItemAction");
    const TProject& p = form->Project();
    const TRoundItem* round = &p.rounds[p.FindItem(circuit, false)];
    ASSERT_EQ(round->roundFields.size(), 1u);
    EXPECT_EQ(p.RoomNameById(round->roundFields[0].roomRef), "F\xFCrd\xF5szoba");
    EXPECT_FLOAT_EQ(round->hydraulic.power, round->roundFields[0].partPower);

    form->ItemsTree->setCurrentItem(ItemNode(*form, "Fürdőszoba"));
    messages.Answer(MessageAnswer::Yes);
    TriggerAction(form.get(), "DeleteItemAction");
    EXPECT_NE(messages.LastText().find(circuit), std::string::npos) << messages.LastText();
    EXPECT_EQ(p.FindItem("F\xFCrd\xF5szoba", true), -1);
    round = &p.rounds[p.FindItem(circuit, false)];
    EXPECT_TRUE(round->roundFields.empty());
    EXPECT_EQ(round->hydraulic.power, 0);
    EXPECT_EQ(round->hydraulic.tubeLength, 0);

    const TProject shown = SaveAs(*form, KALORINA_BINARY_DIR "/flat-without-hall-and-bath.klp");
    EXPECT_FLOAT_EQ(shown.roundPowers, shown.fieldPowers);
    EXPECT_NEAR(shown.fieldPowers, 3.437 - 0.373 - 0.333, 0.0015);
    const auto [json, recalculated] = ShownAndRecalculated(shown, *form);
    EXPECT_EQ(recalculated, json);
    EXPECT_EQ(json.find("\"refState\":1"), std::string::npos);
    EXPECT_EQ(json.find("\"refState\":2"), std::string::npos);
}

// The pattern the tube is laid in is chosen in the dialog and kept with the
// circuit; the dialog says the length is the estimate while the tube is not laid.
TEST_F(CircuitDialogTest, LoopPatternAndTheLengthInUse)
{
    auto f = Open();
    AddField(*f, 0, "10");
    EXPECT_EQ(f->LoopPattern->currentIndex(), 0);
    EXPECT_EQ(f->LoopPattern->currentText(), QStringLiteral("csigavonalas"));
    EXPECT_EQ(Cp(f->LengthSource->text()), TextOrBuiltIn("IDS_LENGTHESTIMATED"));
    Choose(f->LoopPattern, 1);
    EXPECT_EQ(f->Round().layout.pattern, plan::LoopPattern::Meander);
    EXPECT_FALSE(f->Round().layout.laid);
}
