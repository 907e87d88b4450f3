// A settings file damaged anywhere never stops the program or a window: every
// stored value is damaged in turn, and the program starts and opens every window.
#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMenu>
#include <QVBoxLayout>
#include <climits>
#include <gtest/gtest.h>

#include "GuiTest.h"
#include "app/ProjectFiles.h"
#include "app/RecentProjects.h"
#include "app/RoomEditor.h"
#include "app/Startup.h"
#include "app/TAboutBox.h"
#include "app/TMainForm.h"
#include "app/TProgramOptionsForm.h"
#include "app/TProjektDataForm.h"
#include "app/UsedMaterialsExport.h"
#include "dialogs/TProjektOptionsForm.h"
#include "dialogs/TRoomModifyForm.h"
#include "dialogs/TRoundModifyForm.h"
#include "help/Help.h"
#include "help/HelpWindow.h"
#include "listview/TChangeHeaderForm.h"
#include "listview/TListHeader.h"
#include "listview/TListHeaderFormat.h"
#include "listview/TListViewWithHeader.h"
#include "materials/TUsedMaterialsExportForm.h"
#include "platform/Placement.h"
#include "report/PrintingOptions.h"
#include "report/TPrintingForm.h"

using namespace kalorina;
using namespace kalorina::gui;

namespace {

class DamagedSettingsTest : public test::GuiTest {
protected:
    // Everything the program stores, as a user's settings hold it after some use.
    void FillStore()
    {
        TProgramOptions o;
        o.designerLines = {"Kiss Anna", "Budapest"};
        o.languageId = "English";
        o.printingLanguageId = "Magyar";
        o.margins = {25, 10, 12, 30};
        SaveProgramOptions(o);
        ListFontAttributes{"DejaVu Sans", 9}.SaveFontAttributes(FontKind::List);
        ListFontAttributes{"DejaVu Serif", 11}.SaveFontAttributes(FontKind::Report);
        kalorina::SaveFormPlacement("MainForm", {false, 40, 30, 900, 600, true});
        kalorina::SaveFormPlacement("ChangeHeaderForm", {false, 60, 50, 500, 400, true});
        RecentProjects recent;
        recent.Add(KALORINA_SOURCE_DIR "/examples/house.klp");
        recent.Add(KALORINA_SOURCE_DIR "/examples/flat.klp");
        TListHeaderFormat format;
        ASSERT_TRUE(format.LoadFormat("FloorHeatingChoose"));
        format.SwapColumns(1, 2);
        format.columns[1].customCaption = true;
        format.columns[1].customCaptionLines = {"q", "W/m2"};
        format.columns[1].factor = 2.5f;
        format.SaveLayout("Kalorina", "FloorHeatingChoose1");
        ASSERT_TRUE(StoreRoomFunction("Nappali"));
        PrintingOptions printing;
        printing.kind = ReportKind::RoundsDetailed;
        printing.switches = PrintingOptions::kPageNumbers | PrintingOptions::kDate;
        printing.Save();
        for (const char* name :
             {"RoomModifyForm", "RoundModifyForm", "ProjektOptionsForm", "PrintingForm", "UsedMaterialsExportForm"})
            kalorina::SaveFormPlacement(name, {false, 70, 60, 700, 500, true});
    }

    // Opens `dialog` as the program does, with its stored placement, and closes it.
    static void OpenAndClose(QDialog& dialog)
    {
        gui::RestoreFormPlacement(&dialog);
        dialog.show();
        dialog.reject();
        gui::SaveFormPlacement(&dialog);
    }

    // Starts the program and opens each of its windows once.
    void OpenEveryWindow()
    {
        auto form = CreateMainForm(Services());
        emit form->File1->aboutToShow();
        {
            TProgramOptionsForm dialog(form->Controller().ProgramOptions(), Services(), form.get());
            dialog.show();
            dialog.reject();
        }
        {
            TProject copy = form->Project();
            TProjektDataForm dialog(copy, form.get());
            dialog.show();
            dialog.reject();
        }
        {
            QWidget window;
            auto* layout = new QVBoxLayout(&window);
            auto* header = new TListHeader;
            auto* list = new TListViewWithHeader;
            layout->addWidget(header);
            layout->addWidget(list);
            list->SetUp(header, "FloorHeatingChoose", "FloorHeatingChoose1");
            window.show();
            TChangeHeaderForm dialog(header->Format(), header->font(), "FloorHeatingChoose1", "Kalorina", Services());
            gui::RestoreFormPlacement(&dialog);
            dialog.show();
            dialog.reject();
            gui::SaveFormPlacement(&dialog);
        }
        // The design windows, on the example house.
        TProject house;
        ReadProjectFile(KALORINA_SOURCE_DIR "/examples/house.klp", house);
        const TDevices& devices = form->Controller().Devices();
        {
            TRoomModifyForm dialog(house.rooms.front(), devices, house.options, Services(), form.get());
            OpenAndClose(dialog);
        }
        {
            TRoundModifyForm dialog(house.rounds.front(), house, devices, Services(), form.get());
            OpenAndClose(dialog);
        }
        {
            TProjektOptionsForm dialog(house.options, devices, Services(), form.get());
            OpenAndClose(dialog);
        }
        {
            TPrintingForm dialog(house, devices, form->Controller().ProgramOptions(), Services(), nullptr, form.get());
            OpenAndClose(dialog);
        }
        {
            UsedMaterialsExportEditor editor(BuildUsedMaterials(house, devices));
            TUsedMaterialsExportForm dialog(editor, Services(), form.get());
            OpenAndClose(dialog);
        }
        {
            TAboutBox about(form.get());
            about.show();
            about.reject();
        }
        ShowHelp(form.get(), HelpTopic::MainWindow);
        if (auto* help = form->findChild<HelpWindow*>())
            help->close();
        QCloseEvent close;
        QApplication::sendEvent(form.get(), &close);
        EXPECT_TRUE(close.isAccepted());
    }
};

} // namespace

TEST_F(DamagedSettingsTest, EveryValueDamagedInTurnKeepsItsDefault)
{
    UseShippedLanguage("Magyar");
    FillStore();
    const MemorySettingsStore pristine = Store();
    std::vector<std::pair<std::string, std::string>> values;
    for (const auto& [path, key] : pristine.Keys())
        for (const auto& [name, value] : key.values)
            values.emplace_back(path, name);
    ASSERT_GE(values.size(), 20u);

    for (const auto& [path, name] : values) {
        const SettingsValue good = *pristine.ReadValue(path, name);
        // The other type, and nonsense of the same type.
        std::vector<SettingsValue> damages = {SettingsValue::Integer(INT_MIN), SettingsValue::String("\x7F-,,@@x%zz@")};
        for (const SettingsValue& bad : damages) {
            SCOPED_TRACE(path + "\\" + name + " = "
                         + (bad.kind == SettingsValue::Kind::String ? bad.text : std::to_string(bad.number)));
            auto damaged = std::make_unique<MemorySettingsStore>(pristine);
            damaged->WriteValue(path, name, bad);
            SetSettingsStore(std::move(damaged));
            EXPECT_NO_THROW(OpenEveryWindow());
        }
        (void)good;
    }

    // A damaged value gives its default, the sound ones are still taken.
    auto damaged = std::make_unique<MemorySettingsStore>(pristine);
    damaged->WriteValue("Software\\Vexalon\\Kalorina\\ProgramOptions", "LeftMargin", SettingsValue::String("x"));
    SetSettingsStore(std::move(damaged));
    TProgramOptions o;
    LoadProgramOptions(o);
    EXPECT_EQ(o.margins, (TProgramOptions::Margins{20, 10, 12, 30}));
    EXPECT_EQ(o.languageId, "English");
}
