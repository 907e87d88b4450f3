#include <gtest/gtest.h>

#include "ErrorTestSupport.h"
#include "ProjectTestSupport.h"
#include "TestLanguage.h"
#include "document/TProject.h"
#include "report/ProjectReportText.h"
#include "util/Error.h"
#include "util/ParseNumber.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>

using namespace kalorina;

namespace {
using test::Bytes;
using test::Le16;
using test::Read;
} // namespace

TEST(ProjectFile, MinimalFileByteByByte)
{
    test::ScopedLanguage lang;
    TProject p;
    std::string b = Bytes(p);
    std::string expected = Le16(17) + std::string("Kalorina_Project") + '\0' + Le16(256);
    expected += Le16(1) + Le16(19);
    for (int i = 0; i < 5; ++i)
        expected += Le16(1) + '\0';
    expected += std::string("\x01\0\0\0", 4);
    ASSERT_EQ(b.substr(0, expected.size()), expected);
    // Options: values block tag 50, then the end tag 52; then the record of the
    // extra tube length (tag 5: block 1 with 0 m in metres, its end) and the file's
    // end mark.
    std::size_t opt = expected.size();
    EXPECT_EQ(b.substr(opt, 2), Le16(2));
    EXPECT_EQ(b.substr(opt + 4, 2), Le16(50));
    // Block 2 of that record is the floor under new fields' tubes: insulation
    // 0.75 m2K/W, slab 0.10 m2K/W, a heated room below at 20 °C.
    auto single = [](float f) { return std::string(reinterpret_cast<const char*>(&f), 4); };
    const std::string buildUp = single(0.75f) + single(0.10f) + std::string(4, '\0') + single(20.0f);
    std::string more = Le16(5) + Le16(14 + 4 + 16) + Le16(1) + Le16(8) + std::string("\0\0\0\0\x01\0\0\0", 8) + Le16(2)
        + Le16(16) + buildUp + Le16(0x7FFF);
    // Then the manifolds (tag 6): block 1 with the one manifold (name, empty
    // location, 5 K, 55 °C), block 2 with the count of circuits (none), its end.
    ASSERT_EQ(p.manifolds.size(), 1u);
    const std::string& name = p.manifolds[0].name;
    const std::string manifold =
        Le16(int(name.size()) + 1) + name + '\0' + Le16(1) + '\0' + std::string("\0\0\xA0\x40\0\0\x5C\x42", 8);
    const std::string blocks =
        Le16(1) + Le16(int(manifold.size())) + manifold + Le16(2) + Le16(4) + std::string(4, '\0') + Le16(0x7FFF);
    more += Le16(6) + Le16(int(blocks.size())) + blocks;
    EXPECT_EQ(b.substr(b.size() - more.size() - 4), Le16(52) + more + Le16(0x7FFF));
    int optLen = static_cast<unsigned char>(b[opt + 2]) | (static_cast<unsigned char>(b[opt + 3]) << 8);
    EXPECT_EQ(std::size_t(opt + 4 + optLen + more.size() + 2), b.size());

    TProject back = Read(b);
    EXPECT_TRUE(back.SameContent(p));
    EXPECT_EQ(back.nextRoomId, 1);
    EXPECT_FALSE(back.modified);
    EXPECT_EQ(back.options.medium.mediumName, "Water");
    EXPECT_FLOAT_EQ(back.options.medium.viscosity, 3.673e-7f);
}

TEST(ProjectFile, RoundTripKeepsItemsIdsAndUnknownRecords)
{
    test::ScopedLanguage lang;
    TProject p({{"Kiss Anna", "Budapest"}, "2026. 12. 09.", "Valve A"});
    p.buildingLines = {"Családi ház", "", "Fő utca 1."};
    p.commentLines = {"x"};
    p.AddNewRoom();
    p.AddNewRoom();
    p.rooms[1].heatDemand = 1234.5f;
    FloorHeatingField field(40, 30);
    field.systemName = "System";
    field.area = 12.5f;
    field.fieldId = 0;
    p.rooms[1].fields = {field};
    p.rooms[1].nextFieldId = 1;
    p.AddNewRound();
    p.DeleteItem(0, true);
    p.options.defaultFittings.resize(2);
    p.options.defaultFittings[0].resistName = "fit1";
    p.options.defaultFittings[1].resistName = "fit2";

    TProject back = Read(Bytes(p));
    EXPECT_TRUE(back.SameContent(p));
    ASSERT_EQ(back.rooms.size(), 1u);
    EXPECT_EQ(back.rooms[0].roomId, 2);
    EXPECT_EQ(back.nextRoomId, 3);
    EXPECT_EQ(Bytes(back), Bytes(p));
    back.AddNewRoom();
    EXPECT_EQ(back.rooms.back().roomId, 3);
    EXPECT_EQ(back.rooms.back().roomName, "Room");

    // A record of an unknown tag before the project data is skipped.
    std::string b = Bytes(p);
    std::string withUnknown = b.substr(0, 21) + Le16(0x123) + Le16(3) + "xyz" + b.substr(21);
    EXPECT_TRUE(Read(withUnknown).SameContent(p));
    // So is an unknown record inside a room.
    TMemoryStream s;
    TRoomItem r;
    r.roomName = "R";
    r.WriteToStream(s);
    std::string room = s.Data();
    std::size_t afterBasic = 4 + 2 + 2 + 3 + 2 + 12 + 4;
    std::string patched = room.substr(0, afterBasic) + Le16(0x0150) + Le16(2) + "zz" + room.substr(afterBasic);
    TMemoryStream ps(patched);
    TRoomItem r2;
    r2.ReadFromStream(ps, 256);
    EXPECT_EQ(r2, r);
}

TEST(ProjectFile, BadFilesAreRefused)
{
    test::ScopedLanguage lang;
    TProject p;
    p.AddNewRoom();
    p.AddNewRound();
    p.options.defaultFittings.resize(1);
    std::string good = Bytes(p);

    // Truncated anywhere: always refused, never a crash or a half project.
    for (std::size_t n = 0; n < good.size(); ++n)
        EXPECT_THROW(Read(good.substr(0, n)), KalorinaError) << "length " << n;

    std::string badSig = good;
    badSig[3] = 'k';
    try {
        Read(badSig);
        FAIL();
    } catch (const KalorinaError& e) {
        EXPECT_STREQ(e.what(), "Invalid file");
    }
    std::string badVersion = good;
    badVersion[19] = 1;
    badVersion[20] = 2;
    try {
        Read(badVersion);
        FAIL();
    } catch (const KalorinaError& e) {
        EXPECT_STREQ(e.what(), "Version 513 is not supported");
    }
    // Only the version and the end mark: an empty project.
    TProject empty = Read(good.substr(0, 21) + Le16(0x7FFF));
    EXPECT_TRUE(empty.rooms.empty());
    EXPECT_EQ(empty.nextRoomId, 1);
}

TEST(ProjectItems, UniqueNamesRenameDeleteAndTotals)
{
    test::ScopedLanguage lang;
    TProject p;
    EXPECT_EQ(p.AddNewRoom(), "Room");
    EXPECT_EQ(p.AddNewRoom(), "Room (2)");
    EXPECT_EQ(p.UniqueRoomName("Room"), "Room (3)");
    p.RenameItem(0, true, "Other");
    EXPECT_EQ(p.UniqueRoomName("Room"), "Room"); // only "Room (2)" is left
    EXPECT_EQ(p.FindItem("room (2)", true), -1); // names compare exactly
    EXPECT_EQ(p.FindItem("Room (2)", true), 1);
    EXPECT_EQ(p.AddNewRound(), "Circuit");
    EXPECT_EQ(p.FindItem("Circuit", false), 0);

    p.modified = false;
    p.RenameItem(5, true, "x");
    p.DeleteItem(-1, false);
    EXPECT_FALSE(p.modified);

    p.rooms[0].heatDemand = 600.4f;
    p.rooms[1].heatDemand = 600.4f;
    p.ComputeTotals();
    EXPECT_FLOAT_EQ(p.heatingLoss, 1.201f);
    EXPECT_EQ(p.tubeLengths, 0.0f);
}

TEST(ProjectItems, ProjectDataReportBlock)
{
    test::ScopedLanguage lang;
    TProject p;
    p.buildingLines = {"Ház", "Kert"};
    p.projectDate = "2026.";
    TPrintfStringStream report;
    WriteProjectDataReport(report, p);
    EXPECT_EQ(report.Text(),
              "\\pard\\tx1440\\plain\\f3\\fs20 {\\b Building:}\\tab Ház\\par\r\n"
              "\\tab Kert\\par\r\n"
              "\\pard\\tx1440\\plain\\f3\\fs20 {\\b Date:}\\tab 2026.\\par\r\n");
}

TEST(ProjectFile, FailuresCarryATextWithoutLanguageFiles)
{
    Languages().Clear();
    EXPECT_FALSE(test::ThrownText([] { Read(std::string("\x02\0x\0", 4)); }).empty());
    EXPECT_FALSE(test::ThrownText([] { ParseNumber("x"); }).empty());
    EXPECT_FALSE(test::ThrownText([] { ParseNumber("-1", 2); }).empty());
}

TEST(ParseNumber, PlainDecimalsRoundAsTheFullConversion)
{
    // Plain decimals take a short way; it must give the very value a full
    // conversion gives, to the last bit of the long double.
    std::mt19937_64 rng(11);
    for (int i = 0; i < 20000; ++i) {
        std::string digits = std::to_string(rng() >> (rng() % 64));
        std::size_t point = rng() % (digits.size() + 1);
        std::string text = (rng() % 2 ? "-" : "") + digits.substr(0, point) + "." + digits.substr(point);
        if (rng() % 4 == 0)
            text += std::string(rng() % 12, '0') + std::to_string(rng() % 1000); // more digits than fit
        long double expected = std::strtold(text.c_str(), nullptr);
        long double got = ParseNumber(text);
        ASSERT_TRUE(got == expected && std::signbit(got) == std::signbit(expected)) << text;
        std::replace(text.begin(), text.end(), '.', ',');
        got = ParseNumber(text);
        ASSERT_TRUE(got == expected && std::signbit(got) == std::signbit(expected)) << text;
    }
    for (const char* text : {"0.1", "6.5353", "1.7917e-06", "0.000000000000000000000000001", "-0", "5.", ".5", "-.5",
                             "+1.25", "99999999999999999999", "123456789012345678.9"}) {
        long double expected = std::strtold(text, nullptr), got = ParseNumber(text);
        EXPECT_TRUE(got == expected && std::signbit(got) == std::signbit(expected)) << text;
    }
}

TEST(ParseNumber, SeparatorsPrefixesAndKinds)
{
    test::ScopedLanguage lang;
    EXPECT_DOUBLE_EQ(double(ParseNumber("1,5", 0)), 1.5);
    EXPECT_DOUBLE_EQ(double(ParseNumber("", 0)), 0);
    EXPECT_DOUBLE_EQ(double(ParseNumber("", 2)), 0);
    EXPECT_THROW(ParseNumber("", 1), KalorinaError);
    EXPECT_THROW(ParseNumber("-0", 1), KalorinaError);
    EXPECT_NO_THROW(ParseNumber("-0", 2));
    EXPECT_THROW(ParseNumber("-1", 2), KalorinaError);
    for (const char* sign : {"-", ".", "-.", "+"})
        EXPECT_THROW(ParseNumber(sign, 0), KalorinaError) << sign;
    for (int k = 0; k < 3; ++k) {
        EXPECT_THROW(ParseNumber("a1", k), KalorinaError);
        EXPECT_THROW(ParseNumber(" 1", k), KalorinaError);
    }
    EXPECT_DOUBLE_EQ(double(ParseNumber("12kg", 1)), 12);
    EXPECT_DOUBLE_EQ(double(ParseNumber("+.5e2x", 1)), 50);
    EXPECT_DOUBLE_EQ(double(ParseNumber("3e", 1)), 3);
    EXPECT_DOUBLE_EQ(double(ParseNumber("-2.5E-1", 0)), -0.25);
    try {
        ParseNumber("x");
    } catch (const KalorinaError& e) {
        EXPECT_STREQ(e.what(), "Wrong value");
    }
}

#include <filesystem>
#include <fstream>

#include "app/MainController.h"

namespace {
struct SilentMessages : MessageService {
    MessageAnswer Show(MessageKind, const std::string&, const std::string&) override { return MessageAnswer::Ok; }
};
struct NoFiles : FileDialogService {
    std::string Run(const FileDialogRequest&) override { return {}; }
};
} // namespace

TEST(NewProject, TakesDesignerLinesDateAndDefaultValve)
{
    test::ScopedLanguage lang;
    SilentMessages messages;
    NoFiles files;
    MainController c(messages, files);
    c.shortDate = [] { return std::string("2026. 12. 09."); };
    c.defaultValveName = "Valve A";
    c.ProgramOptions().designerLines = {"Kiss Anna", "okl. gépészmérnök"};
    c.NewProject();
    EXPECT_EQ(c.Project().designerLines, c.ProgramOptions().designerLines);
    EXPECT_EQ(c.Project().projectDate, "2026. 12. 09.");
    EXPECT_EQ(c.Project().options.valveType, "Valve A");
    c.ProgramOptions().dateNewProjects = false;
    c.NewProject();
    EXPECT_EQ(c.Project().projectDate, "");
    EXPECT_FALSE(c.Project().modified);

    // An opened file brings its own project data, even when it has none.
    c.ProgramOptions().dateNewProjects = true;
    auto file = std::filesystem::temp_directory_path() / "kalorina-no-data.klp";
    {
        std::ofstream out(file, std::ios::binary);
        out << std::string("\x11\0Kalorina_Project\0\0\x01\xFF\x7F", 23);
    }
    ASSERT_TRUE(c.OpenFile(file.string()));
    EXPECT_TRUE(c.Project().designerLines.empty());
    EXPECT_EQ(c.Project().projectDate, "");
    EXPECT_EQ(c.Project().options.valveType, "Valve A");
    std::filesystem::remove(file);
}

#include "app/ProjectFiles.h"

// File failures speak the user's language, with the path and the reason.
TEST(ProjectFile, FileFailuresComeFromTheLanguage)
{
    test::ScopedLanguage lang{{{"IDS_CANNOTOPENFILE", "Nem nyithat\xF3 meg: %s (%s)"},
                               {"IDS_CANNOTWRITEFILE", "Nem \xEDrhat\xF3: %s (%s)"},
                               {"IDS_FILENOTFOUND", "nincs ilyen"}}};
    TProject p;
    EXPECT_EQ(test::ThrownText([&] { ReadProjectFile("/no/such/dir/x.klp", p); }),
              "Nem nyithat\xF3 meg: /no/such/dir/x.klp (nincs ilyen)");
    EXPECT_EQ(test::ThrownText([&] { WriteProjectFile("/no/such/dir/x.klp", p); }),
              "Nem \xEDrhat\xF3: /no/such/dir/x.klp (nincs ilyen)");
}
