// Manifolds in the project: stored beside the circuits so that older files load
// with one manifold and older programs skip them; deleting one takes its circuits;
// the history undoes manifold changes like any other.
#include <gtest/gtest.h>

#include "ErrorTestSupport.h"
#include "ProjectTestSupport.h"
#include "TestLanguage.h"
#include "document/TProject.h"
#include "history/ProjectChange.h"
#include "util/Error.h"

using namespace kalorina;
using test::Bytes;
using test::Le16;
using test::Read;

namespace {

// A project of five circuits on two manifolds: 0, 1, 0, 1, 1.
TProject TwoManifolds()
{
    TProject p;
    p.manifolds[0].name = "Fsz.";
    p.AddNewManifold();
    p.manifolds[1].name = "Emelet";
    p.manifolds[1].location = "Folyosó, fülke";
    p.manifolds[1].designSpread = 7;
    p.manifolds[1].maxSupply = 45;
    for (int m : {0, 1, 0, 1, 1})
        p.AddNewRound(m);
    return p;
}

// The file cut where the manifold record (tag 6) begins, and its end mark put back.
std::string WithoutManifoldRecord(const std::string& bytes)
{
    // The record is the last before the end mark: its tag, then a length that
    // reaches exactly to that mark.
    const std::size_t end = bytes.size() - 2;
    for (std::size_t i = 0; i + 4 <= end; ++i) {
        const std::size_t len =
            static_cast<unsigned char>(bytes[i + 2]) | (static_cast<unsigned char>(bytes[i + 3]) << 8);
        if (bytes.compare(i, 2, Le16(6)) == 0 && i + 4 + len == end)
            return bytes.substr(0, i) + Le16(0x7FFF);
    }
    ADD_FAILURE() << "no manifold record";
    return bytes;
}

} // namespace

TEST(Manifolds, FileRoundTripOlderFilesAndDamage)
{
    test::ScopedLanguage lang(std::map<std::string, std::string>{{"IDS_NEWMANIFOLDITEMCAPTION", "Osztó"}});
    TProject p = TwoManifolds();
    const std::string bytes = Bytes(p);
    TProject back = Read(bytes);
    EXPECT_TRUE(back.SameContent(p));
    EXPECT_EQ(back.ManifoldRounds(1), (std::vector<int>{1, 3, 4}));
    EXPECT_EQ(back.manifolds[1].location, "Folyosó, fülke");
    EXPECT_FLOAT_EQ(back.manifolds[1].maxSupply, 45);
    EXPECT_EQ(Bytes(back), bytes);

    // A file from before manifolds: one manifold, named in the language, feeds all.
    TProject old = Read(WithoutManifoldRecord(bytes));
    ASSERT_EQ(old.manifolds.size(), 1u);
    EXPECT_EQ(old.manifolds[0].name, "Osztó");
    EXPECT_FLOAT_EQ(old.manifolds[0].designSpread, 5);
    EXPECT_FLOAT_EQ(old.manifolds[0].maxSupply, 55);
    EXPECT_EQ(old.ManifoldRounds(0).size(), 5u);
    EXPECT_EQ(old.rounds.size(), p.rounds.size());

    // A circuit held to a manifold that is not there is refused as damage rather
    // than moved silently.
    TProject bad = p;
    bad.rounds[2].manifold = 7;
    EXPECT_THROW(Read(Bytes(bad)), KalorinaError);
    // A circuit the list does not count (a tool appended it) goes to the first.
    TProject fewer = p;
    fewer.rounds.pop_back();
    const std::string fewerBytes = Bytes(fewer);
    const std::string withoutRecord = WithoutManifoldRecord(fewerBytes);
    TMemoryStream extra;
    p.rounds.back().WriteToStream(extra);
    const std::string uncounted = withoutRecord.substr(0, withoutRecord.size() - 2) + Le16(4) + Le16(int(extra.Size()))
        + extra.Data() + fewerBytes.substr(withoutRecord.size() - 2);
    TProject appended = Read(uncounted);
    ASSERT_EQ(appended.rounds.size(), 5u);
    EXPECT_EQ(appended.ManifoldRounds(0), (std::vector<int>{0, 2, 4}));
}

TEST(Manifolds, DeleteTakesItsCircuitsAndTheLastGivesWayToAnEmptyOne)
{
    test::ScopedLanguage lang(std::map<std::string, std::string>{{"IDS_NEWMANIFOLDITEMCAPTION", "Osztó"}});
    TProject p = TwoManifolds();
    const std::string second = p.rounds[1].roundName;
    p.DeleteManifold(0);
    ASSERT_EQ(p.manifolds.size(), 1u);
    EXPECT_EQ(p.manifolds[0].name, "Emelet");
    ASSERT_EQ(p.rounds.size(), 3u);
    EXPECT_EQ(p.rounds[0].roundName, second);
    for (const auto& r : p.rounds)
        EXPECT_EQ(r.manifold, 0);
    p.DeleteManifold(0);
    ASSERT_EQ(p.manifolds.size(), 1u);
    EXPECT_EQ(p.manifolds[0].name, "Osztó");
    EXPECT_TRUE(p.rounds.empty());

    // New names never clash; a new circuit goes where it is asked, or to the first.
    EXPECT_EQ(p.AddNewManifold(), "Osztó (2)");
    p.AddNewRound(1);
    p.AddNewRound(9);
    EXPECT_EQ(p.rounds[0].manifold, 1);
    EXPECT_EQ(p.rounds[1].manifold, 0);
    EXPECT_EQ(p.FindManifold("Osztó (2)"), 1);
    EXPECT_EQ(p.FindManifold("nincs"), -1);
}

TEST(Manifolds, HistoryUndoesManifoldChanges)
{
    test::ScopedLanguage lang;
    const TProject before = TwoManifolds();
    TProject after = before;
    after.AddNewManifold();
    after.rounds[0].manifold = 2;
    after.manifolds[1].designSpread = 6;
    ProjectChange change("manifold", before, after);
    EXPECT_TRUE(change.ChangesAnything());
    EXPECT_TRUE(change.Kinds().rounds);
    TProject p = before;
    change.Redo(p);
    EXPECT_TRUE(p.SameContent(after));
    change.Undo(p);
    EXPECT_TRUE(p.SameContent(before));
    EXPECT_EQ(Bytes(p), Bytes(before));
}

// Whether the design has set a manifold travels in a block of its own, written only
// once some manifold is designed: a project never designed keeps the bytes it always
// had, and older files open with every manifold undesigned.
TEST(Manifolds, DesignedStateInABlockOfItsOwn)
{
    test::ScopedLanguage lang;
    TProject p = TwoManifolds();
    const std::string undesigned = Bytes(p);
    p.manifolds[1].designed = true;
    const std::string designed = Bytes(p);
    // Block 3 of the manifold record: the count, then one 16-bit flag per manifold,
    // the record's end mark after it.
    const std::string block = Le16(3) + Le16(8) + std::string("\x02\0\0\0", 4) + Le16(0) + Le16(1);
    ASSERT_EQ(designed.size(), undesigned.size() + block.size());
    EXPECT_EQ(designed.substr(designed.size() - 4 - block.size(), block.size()), block);

    TProject back = Read(designed);
    EXPECT_FALSE(back.manifolds[0].designed);
    EXPECT_TRUE(back.manifolds[1].designed);
    EXPECT_TRUE(back.SameContent(p));
    EXPECT_EQ(Bytes(back), designed);
    for (const TManifold& m : Read(undesigned).manifolds)
        EXPECT_FALSE(m.designed);
    for (const TManifold& m : Read(WithoutManifoldRecord(designed)).manifolds)
        EXPECT_FALSE(m.designed);

    // A flag the program never writes is damage.
    std::string bad = designed;
    bad[bad.size() - 6] = 2;
    EXPECT_THROW(Read(bad), KalorinaError);
}
