#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "document/TProgramOptions.h"
#include "platform/Registry.h"

using namespace kalorina;

TEST(ProgramOptions, EmptyStoreGivesDefaults)
{
    MemorySettingsStore store;
    TProgramOptions o;
    LoadProgramOptions(o, store);
    EXPECT_TRUE(o.designerLines.empty());
    EXPECT_TRUE(o.dateNewProjects);
    EXPECT_EQ(o.margins, (TProgramOptions::Margins{20, 20, 15, 20}));
    EXPECT_EQ(o.languageId, "Magyar");
    EXPECT_EQ(o.printingLanguageId, "Magyar");
    auto list = ListFontAttributes::LoadFontAttributes(FontKind::List, store);
    EXPECT_EQ(list.name, "MS Sans Serif");
    EXPECT_EQ(list.size, 10);
    auto report = ListFontAttributes::LoadFontAttributes(FontKind::Report, store);
    EXPECT_EQ(report.LabelText(), "10 pontos Times New Roman");
    EXPECT_TRUE(ListFontAttributes::LoadFontAttributes(FontKind(7), store).name.empty());
    // Reading never creates the list font values.
    EXPECT_TRUE(store.ValueNames("Software\\Vexalon\\Kalorina\\Fonts").empty());
}

TEST(ProgramOptions, SaveLoadAndPrintingLanguageFallback)
{
    MemorySettingsStore store;
    TProgramOptions o;
    o.designerLines = {"Kovács Péter", "tervező"};
    o.dateNewProjects = false;
    o.margins = {10, 11, 12, 13};
    o.languageId = "English";
    o.printingLanguageId = "Magyar";
    SaveProgramOptions(o, store);
    EXPECT_EQ(store.ReadValue("Software\\Vexalon\\Kalorina\\ProgramOptions", "Planer")->text,
              "Kovács Péter\r\ntervező\r\n");
    TProgramOptions back;
    LoadProgramOptions(back, store);
    EXPECT_EQ(back, o);

    store.DeleteValue("Software\\Vexalon\\Kalorina\\ProgramOptions", "PrintingLanguageID");
    LoadProgramOptions(back, store);
    EXPECT_EQ(back.printingLanguageId, "English");

    // A value of the wrong type keeps its default instead of failing the start.
    store.WriteValue("Software\\Vexalon\\Kalorina\\ProgramOptions", "LeftMargin", SettingsValue::String("x"));
    TProgramOptions damaged;
    LoadProgramOptions(damaged, store);
    EXPECT_EQ(damaged.margins.left, 20);

    // So does a designer block of the wrong type: the lines held are not wiped.
    store.WriteValue("Software\\Vexalon\\Kalorina\\ProgramOptions", "Planer", SettingsValue::Integer(3));
    TProgramOptions kept;
    kept.designerLines = {"Kovács Péter"};
    LoadProgramOptions(kept, store);
    EXPECT_EQ(kept.designerLines, TStringList{"Kovács Péter"});
}

TEST(FormPlacement, NestedKeyMaximisedAndFieldParsing)
{
    MemorySettingsStore store;
    FormPlacement p{false, 100, 50, 400, 300, true};
    SaveFormPlacement("RoomModifyForm", p, store);
    const std::string posKey =
        "Software\\Vexalon\\Kalorina\\FormMaximalization\\Software\\Vexalon\\Kalorina\\FormPosition";
    EXPECT_EQ(store.ReadValue(posKey, "RoomModifyForm")->text, "100,50,400,300");
    EXPECT_FALSE(store.KeyExists("Software\\Vexalon\\Kalorina\\FormPosition"));

    FormPlacement sizeable{false, 1, 2, 3, 4, true};
    RestoreFormPlacement("RoomModifyForm", sizeable, store);
    EXPECT_EQ(sizeable.left, 100);
    EXPECT_EQ(sizeable.height, 300);
    FormPlacement fixed{false, 1, 2, 3, 4, false};
    RestoreFormPlacement("RoomModifyForm", fixed, store);
    EXPECT_EQ(fixed.left, 100);
    EXPECT_EQ(fixed.top, 50);
    EXPECT_EQ(fixed.width, 3);
    EXPECT_EQ(fixed.height, 4);

    // Maximised: true is saved and the old position stays.
    SaveFormPlacement("RoomModifyForm", {true, 9, 9, 9, 9, true}, store);
    EXPECT_EQ(store.ReadValue(posKey, "RoomModifyForm")->text, "100,50,400,300");
    FormPlacement m;
    RestoreFormPlacement("RoomModifyForm", m, store);
    EXPECT_TRUE(m.maximized);
    // A stored false only means "not saved maximised": it never un-maximises a
    // dialog that was built maximised, and no stored position is applied to it.
    SaveFormPlacement("MaxForm", {false, 5, 6, 7, 8, true}, store);
    FormPlacement built{true, 1, 2, 3, 4, true};
    RestoreFormPlacement("MaxForm", built, store);
    EXPECT_TRUE(built.maximized);
    EXPECT_EQ(built.left, 1);

    store.WriteValue(posKey, "A", SettingsValue::String(",50,400,300"));
    FormPlacement a{false, 1, 2, 3, 4, true};
    RestoreFormPlacement("A", a, store);
    EXPECT_EQ(a.left, 1);
    EXPECT_EQ(a.top, 2);
    store.WriteValue(posKey, "B", SettingsValue::String("7,x,400,300"));
    FormPlacement b{false, 1, 2, 3, 4, true};
    RestoreFormPlacement("B", b, store);
    EXPECT_EQ(b.left, 7);
    EXPECT_EQ(b.top, 2); // not a number: the designed value stays
    EXPECT_EQ(b.width, 400);
}

TEST(SettingsFile, RegistryTextRoundTrip)
{
    auto file = std::filesystem::temp_directory_path() / "kalorina-settings-test.reg";
    std::filesystem::remove(file);
    {
        FileSettingsStore store(file.string());
        TRegistry reg(store);
        ASSERT_TRUE(OpenRootKey(reg));
        ASSERT_TRUE(reg.OpenKey("ProgramOptions", true));
        reg.WriteString("Planer", "\xC1rv\xEDzt\xFBr\xF5 \"x\"\\\r\n");
        reg.WriteInteger("LeftMargin", -5);
        EXPECT_FALSE(reg.OpenKey("Missing", false));
        EXPECT_EQ(reg.CurrentPath(), "Software\\Vexalon\\Kalorina\\ProgramOptions");
    }
    std::ifstream in(file);
    std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Vexalon\\Kalorina\\ProgramOptions]"), std::string::npos);
    EXPECT_NE(text.find("\"LeftMargin\"=dword:fffffffb"), std::string::npos);
    FileSettingsStore again(file.string());
    TRegistry reg(again);
    ASSERT_TRUE(reg.OpenKey("Software\\Vexalon\\Kalorina\\ProgramOptions", false));
    EXPECT_EQ(reg.ReadString("Planer"), "\xC1rv\xEDzt\xFBr\xF5 \"x\"\\\r\n");
    EXPECT_NE(text.find("Árvíztűrő"), std::string::npos); // the file itself is UTF-8
    EXPECT_EQ(reg.ReadInteger("LeftMargin"), -5);
    EXPECT_THROW(reg.ReadInteger("Planer"), std::exception);
    EXPECT_EQ(reg.GetValueNames(), (std::vector<std::string>{"Planer", "LeftMargin"}));
    std::filesystem::remove(file);
}
