// varno-table on a GDI module with three tables: what tables lists, and --table picking one.

#include "tests/cli/VarnoTableRun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// Central European, Cyrillic and Greek tables, the Cyrillic one at an odd offset.
const samples::GdiTablesOptions kThreeTables{.size = 8192, .offsets = {1000, 3001, 5000}};

// The bytes of the table at index.
samples::Bytes TableBytes(const samples::Bytes& module, std::size_t index)
{
    const auto begin = module.begin() + static_cast<std::ptrdiff_t>(kThreeTables.offsets.at(index));
    return samples::Bytes(begin, begin + 512);
}

using VarnoTableTables = VarnoTable;

} // namespace

TEST_F(VarnoTableTables, ListsEveryTableAndTableNPicksOne)
{
    const samples::Bytes module = samples::MakeGdiModuleWithTables(kThreeTables);
    const std::string gdi = dir.Put("three.exe", module);
    ProcessRun run = Run({"tables", gdi});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(Lines(run.out), (std::vector<std::string>{gdi + ": 1  000003E8  windows-1250, 128 of 128  resource 1",
                                                        gdi + ": 2  00000BB9  windows-1251, 128 of 128  resource 2  default",
                                                        gdi + ": 3  00001388  windows-1253, 128 of 128  resource 3"}));
    run = Run({"tables", "--json", gdi});
    const QJsonArray tables = QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object()["tables"].toArray();
    ASSERT_EQ(tables.size(), 3) << run.out;
    EXPECT_EQ(tables[2].toObject()["codePage"].toString(), "windows-1253");
    EXPECT_EQ(tables[1].toObject()["offset"].toInt(), 3001);
    EXPECT_EQ(tables[0].toObject()["resource"].toInt(), 1);

    // Greek capital alpha at C1 of the third table; the Cyrillic one without --table, as before.
    run = Run({"show", "--table", "3", gdi});
    EXPECT_EQ(Lines(run.out).at(0), gdi + ": GDI module, table 3 of 3, windows-1253, 128 of 128") << run.err;
    EXPECT_EQ(Lines(run.out).at(0x41 + 1), "C1  \u0391  0391");
    EXPECT_EQ(Lines(Run({"show", gdi}).out).at(0x41 + 1), "C1  \u0411  0411");

    // KOI8-R over the Central European table alone.
    const std::string koi8 = dir.Put("c_20866.nls", samples::MakeNtCodePageFile({.codePage = "KOI8-R", .number = 20866}));
    run = Run({"apply", "--codepage", "KOI8-R", "--table", "1", gdi});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    const samples::Bytes after = Contents(gdi);
    EXPECT_EQ(TableBytes(after, 1), TableBytes(module, 1));
    EXPECT_EQ(TableBytes(after, 2), TableBytes(module, 2));
    EXPECT_EQ(Run({"diff", "--table", "1", gdi, koi8}).exitStatus, 0);
    EXPECT_EQ(Run({"diff", gdi, koi8}).exitStatus, 1);
    for (std::size_t offset = 0; offset < module.size(); ++offset) {
        const bool inFirst = offset >= 1000 + 0x100 && offset < 1000 + 512;
        EXPECT_TRUE(inFirst || after[offset] == module[offset]) << offset;
    }

    // Only the default table must keep the Cyrillic capitals by which it is found.
    EXPECT_EQ(Run({"set", "--byte", "C4", "--unicode", "0434", "--table", "3", gdi}).exitStatus, 0);
    EXPECT_EQ(Run({"set", "--byte", "C4", "--unicode", "0434", gdi}).exitStatus, 2);

    run = Run({"export", "--table", "4", gdi});
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_EQ(run.err, "varno-table: " + gdi + ": has 3 tables; --table 4 names none\n");
}

// Without a resource table that can be read, the tables are found all the same, with no resource number.
TEST_F(VarnoTableTables, AMalformedResourceTableIsReadSafely)
{
    samples::Bytes module = samples::MakeGdiModuleWithTables(kThreeTables);
    samples::PutWord(module, 0x80 + 4, 0xFFFF); // more resources than the file holds
    ProcessRun run = Run({"tables", dir.Put("bad.exe", module)});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    ASSERT_EQ(Lines(run.out).size(), 3u) << run.out;
    for (const std::string& line : Lines(run.out)) {
        EXPECT_TRUE(line.ends_with("no resource") || line.ends_with("no resource  default")) << line;
    }
}
