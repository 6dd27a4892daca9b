// varno-table run as a program on generated files: what it shows, checks and exports is held against glibc's
// iconv, which shares no code with Qt's decoders that made the files.

#include "tests/EditScenario.h"
#include "tests/cli/VarnoTableRun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

class VarnoTableFiles : public VarnoTable {
protected:
    std::string nt = dir.Put("c_1251.nls", samples::MakeNtCodePageFile({}));
    std::string ninex = dir.Put("cp_1251.nls", samples::MakeNinexCodePageFile(samples::NinexCodePageOptions{}));
    std::string gdi = dir.Put("gdi.exe", samples::MakeGdiModule({}));
    std::string kbd = dir.Put("ru.kbd", edit_scenario::KeyboardFile("ru.kbd").before);
};

} // namespace

// show --json and export give every entry of each table as iconv decodes windows-1251.
TEST_F(VarnoTableFiles, ShowJsonAndExportGiveEveryEntryAsIconvDecodesIt)
{
    ProcessRun run = Run({"show", "--json", nt, ninex, gdi, kbd});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.err, "");
    std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 4u);

    const struct {
        const std::string& file;
        int kind;
        const char* kindName;
        bool hasBack;
    } tables[] = {{nt, 1, "nt", true}, {ninex, 2, "9x", true}, {gdi, 4, "gdi", false}};
    for (std::size_t t = 0; t < 3; ++t) {
        SCOPED_TRACE(tables[t].kindName);
        QJsonParseError error;
        QJsonObject object = QJsonDocument::fromJson(QByteArray::fromStdString(lines[t]), &error).object();
        ASSERT_EQ(error.error, QJsonParseError::NoError) << lines[t];
        EXPECT_EQ(object["file"].toString().toStdString(), tables[t].file);
        EXPECT_EQ(object["kind"].toInt(), tables[t].kind);
        EXPECT_EQ(object["kindName"].toString().toStdString(), tables[t].kindName);
        QJsonArray entries = object["entries"].toArray();
        ASSERT_EQ(entries.size(), 128);
        std::vector<std::string> exported = Lines(Run({"export", tables[t].file}).out);
        ASSERT_EQ(exported.size(), 256u);
        int compared = 0;
        for (int byte = 0; byte < 256; ++byte) {
            std::optional<std::uint16_t> unicode = IconvUnicode("CP1251", byte);
            if (!unicode) {
                continue; // a byte that windows-1251 leaves undefined
            }
            ++compared;
            EXPECT_EQ(exported[byte], "0x" + Hex(byte, 2) + "\t0x" + Hex(*unicode, 4));
            if (byte < 0x80) {
                continue;
            }
            QJsonObject entry = entries[byte - 0x80].toObject();
            ASSERT_EQ(entry["byte"].toInt(), byte);
            EXPECT_EQ(entry["unicode"].toInt(), *unicode) << byte;
            EXPECT_EQ(entry["char"].toString(), QString(QChar(*unicode))) << byte;
            EXPECT_EQ(entry["byteChar"].toString().toStdString(), IconvByte("UTF-8", "CP1251", byte)) << byte;
            EXPECT_EQ(entry["back"].toInt(-1), tables[t].hasBack ? byte : -1);
            EXPECT_EQ(entry["consistent"].toBool(), tables[t].hasBack);
        }
        EXPECT_EQ(compared, 255);
        // 98, which windows-1251 leaves undefined, holds the control U+0098: no character to print.
        EXPECT_EQ(entries[0x18].toObject()["char"].toString(), QString(u'\u25CC'));
    }

    QJsonObject keyboard = QJsonDocument::fromJson(QByteArray::fromStdString(lines[3])).object();
    EXPECT_EQ(keyboard["kindName"].toString(), "keyboard");
    QJsonArray keys = keyboard["keys"].toArray();
    ASSERT_EQ(keys.size(), 14);
    QJsonObject key3 = keys[3].toObject();
    EXPECT_EQ(key3["name"].toString(), "3 #");
    EXPECT_EQ(key3["high"].toInt(), 0xE0);
    EXPECT_EQ(key3["highChar"].toString().toStdString(), *IconvByte("UTF-8", "CP1251", 0xE0));
    EXPECT_TRUE(key3["capsLock"].toBool());
    EXPECT_EQ(keys[7].toObject()["name"].toString(), "7 &"); // shown as the editor draws "7 &&"
    EXPECT_FALSE(keys[0].toObject()["capsLock"].toBool());
}

// show tells each entry's state, in the characters of the charset named; check lists the
// entries that do not map back and tells by its status.
TEST_F(VarnoTableFiles, ShowAndCheckTellTheEntriesThatDoNotMapBack)
{
    ProcessRun clean = Run({"check", nt, ninex});
    EXPECT_EQ(clean.exitStatus, 0) << clean.err;
    EXPECT_EQ(clean.out, "");

    // Byte C1 takes C0's value: it no longer maps back, since the reverse table names C0.
    samples::Bytes bytes = Contents(nt);
    samples::PutWord(bytes, samples::kNtForwardOffset + 2 * 0xC1, 0x0410);
    dir.Put("c_1251.nls", bytes);
    ProcessRun run = Run({"show", "--charset", "KOI8-R", nt});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 129u);
    EXPECT_EQ(lines[0], nt + ": NT code-page file");
    EXPECT_EQ(lines[1 + 0x40], "C0  " + *IconvByte("UTF-8", "KOI8-R", 0xC0) + "  0410  C0  consistent");
    EXPECT_EQ(lines[1 + 0x41], "C1  " + *IconvByte("UTF-8", "KOI8-R", 0xC1) + "  0410  C0  does not map back");
    // Without --charset the column is the table's character; JSON has both, --charset changing only byteChar.
    EXPECT_EQ(Lines(Run({"show", nt}).out)[1 + 0x41], "C1  \u0410  0410  C0  does not map back");
    const QJsonObject c1 = QJsonDocument::fromJson(QByteArray::fromStdString(Run({"show", "--json", "--charset",
        "KOI8-R", nt}).out)).object()["entries"].toArray()[0x41].toObject();
    EXPECT_EQ(c1["char"].toString(), QString(u'\u0410'));
    EXPECT_EQ(c1["byteChar"].toString().toStdString(), *IconvByte("UTF-8", "KOI8-R", 0xC1));

    ProcessRun found = Run({"check", ninex, nt});
    EXPECT_EQ(found.exitStatus, 1) << found.err;
    EXPECT_EQ(found.out, nt + ": C1 0410 maps back to C0\n");

    // An error outweighs what was found; the other files are still checked.
    for (const std::string& other : {gdi, dir.File("c_missing.nls")}) {
        ProcessRun error = Run({"check", other, nt});
        EXPECT_EQ(error.exitStatus, 2);
        EXPECT_EQ(error.err.rfind("varno-table: " + other + ": ", 0), 0u) << error.err;
        EXPECT_EQ(error.out, found.out);
    }
}

TEST_F(VarnoTableFiles, KeyChangesOnlyThatKeysBytes)
{
    samples::Bytes expected = Contents(kbd);
    ProcessRun run = Run({"key", "--key", "12", "--low", "e0", "--caps", "on", kbd});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.out, kbd + ": key 12 low 3D -> E0, caps lock off -> ON\n");

    const samples::KeyboardKeyPlace place = samples::KeyboardPlace(12);
    expected[place.low] = 0xE0;
    expected[place.caps] |= place.mask;
    EXPECT_EQ(Contents(kbd), expected);

    // A key edit that changes nothing leaves the file untouched.
    ProcessRun same = Run({"key", "--key", "12", "--high", "2B", kbd});
    EXPECT_EQ(same.exitStatus, 0) << same.err;
    EXPECT_EQ(same.out, "");
}

TEST_F(VarnoTableFiles, BadArgumentsAndFilesGiveAMessageAndAFailingStatus)
{
    const std::string shortFile = dir.Put("c_short.nls", samples::Bytes(600, 1));
    const std::string undefined = dir.Put("table.bin", samples::Bytes(1000, 7));
    const std::string misnamed = dir.Put("1252.nls", samples::MakeNtCodePageFile({.codePage = "windows-1252"}));
    // A GDI module's tables are found in any file that holds one, an NT file too: zeros hold none.
    const std::string zeros = dir.Put("zeros.nls", samples::Bytes(2048));
    const struct {
        std::vector<std::string> arguments;
        std::string message; // a part of standard error
    } cases[] = {
        {{}, "subcommand"},
        {{"frobnicate", nt}, "frobnicate"},
        {{"show"}, "FILE"},
        {{"show", "--bogus", nt}, "--bogus"},
        {{"set", "--unicode", "0401", nt}, "--byte"},
        {{"set", "--byte", "7F", "--unicode", "0401", nt}, "7F"},
        {{"set", "--byte", "C0", "--unicode", "10000", nt}, "10000"},
        {{"set", "--byte", "C0", "--unicode", "0xD800", nt}, "'0xD800' is a surrogate (D800 to DFFF)"},
        {{"set", "--byte", "C0", "--unicode", "0401", "--as-byte", "100", nt}, "100"},
        {{"set", "--byte", "C0", "--unicode", "0401", kbd}, "keyboard layout"},
        {{"key", "--key", "14", kbd}, "14"},
        {{"key", "--key", "1", "--caps", "maybe", kbd}, "maybe"},
        {{"key", "--key", "1", "--low", "0401", kbd}, "0401"},
        {{"key", "--key", "1", nt}, "NT code-page file"},
        {{"export", kbd}, "keyboard layout"},
        {{"diff", nt, kbd}, kbd + ": "},
        {{"check", dir.File("c_\xE2\n.nls")}, dir.File("c_\\xE2\\x0A.nls") + ": "}, // shown as escapes
        {{"show", dir.Path().string()}, dir.Path().string()},
        {{"show", ""}, "\"\": Cannot open file: the file name is empty"},
        {{"set", "--byte", "E0", "--unicode", "0431", nt, ""}, "the file name is empty"},
        {{"show", "--charset", "UTF-16", nt}, "'UTF-16' is no single-byte"},
        {{"show", "--charset", "UTF-8", nt}, "UTF-8"},
        {{"show", "--charset", "no-such-charset", nt}, "no-such-charset"},
        // Refused with the document's own reason.
        {{"show", shortFile}, shortFile + ": Cannot open file " + shortFile + ". The file is too short"},
        {{"show", undefined, gdi}, undefined + ": Undefined format. The kind of a file comes from its name: c_ makes"},
        // --kind: the same load with the same refusals, and no other value.
        {{"show", "--kind", "gdi", zeros}, zeros + ": Cannot open file " + zeros + ". No code-page table"},
        {{"check", "--kind", "keyboard", misnamed}, "--kind makes this a keyboard layout"},
        {{"export", "--kind", "ebcdic", misnamed}, "--kind: expected nt, 9x, gdi or keyboard, got 'ebcdic'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        ProcessRun run = Run(c.arguments);
        EXPECT_NE(run.exitStatus, 0);
        EXPECT_NE(run.err.find("varno-table: "), std::string::npos) << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    EXPECT_TRUE(Contents(nt) == samples::MakeNtCodePageFile({})) << "no case may write a file";

    // Output that cannot be written is a failure too.
    EXPECT_EQ(Run({"export", nt}, [] { (void)std::freopen("/dev/full", "w", stdout); }).exitStatus, 2);

    EXPECT_EQ(Run({"--help"}).exitStatus, 0);
    EXPECT_EQ(Run({"--version"}).out.rfind("varno-table ", 0), 0u);
}

// --kind reads a file whose name makes none as that kind, also where such a name would be a mapping text;
// the name still decides the kind of every other file.
TEST_F(VarnoTableFiles, KindReadsAFileWhoseNameMakesNoneAsThatKind)
{
    const samples::Bytes bytes = samples::MakeNtCodePageFile({.codePage = "windows-1252"});
    const std::string misnamed = dir.Put("1252.nls", bytes);
    const std::string named = dir.Put("c_1252.nls", bytes);
    ProcessRun show = Run({"show", "--kind", "nt", misnamed, kbd});
    EXPECT_EQ(show.exitStatus, 0) << show.err;
    EXPECT_EQ(show.out.rfind(misnamed + ": NT code-page file\n", 0), 0u) << show.out;
    EXPECT_NE(show.out.find(kbd + ": keyboard layout\n"), std::string::npos) << show.out;

    ProcessRun diff = Run({"diff", "--kind", "nt", misnamed, named});
    EXPECT_EQ(diff.exitStatus, 0) << diff.err;
    EXPECT_EQ(diff.out, "");
}

// Whichever command reads it, and whether as a document or as a mapping text, a
// file that is not there is told in the same words.
TEST_F(VarnoTableFiles, EveryCommandWordsAMissingFileAlike)
{
    const std::string missing = dir.File("c_missing.nls");
    const std::string text = dir.File("missing.txt");
    const std::string layout = dir.File("missing.kbd");
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"show", nt, missing}, missing},
        {{"check", missing}, missing},
        {{"export", missing}, missing},
        {{"key", "--key", "1", layout}, layout},
        {{"set", "--byte", "E0", "--unicode", "0431", nt, missing}, missing},
        {{"apply", "--from", text, nt}, text},
        {{"apply", "--from", nt, missing}, missing},
        {{"diff", nt, text}, text},
        {{"diff", missing, nt}, missing},
    };
    for (const auto& [arguments, file] : cases) {
        ProcessRun run = Run(arguments);
        EXPECT_EQ(run.exitStatus, 2) << arguments.front();
        EXPECT_EQ(run.err, "varno-table: " + file + ": Cannot open file: No such file or directory\n")
            << arguments.front();
    }
}

// Names from old disks are often in windows-1251 or cp866: the bytes that the
// shell passed are the name, and the output shows the bytes that are not UTF-8 as escapes.
TEST_F(VarnoTableFiles, NamesThatAreNotUtf8AreOpenedAndShownAsEscapes)
{
    const std::string name = dir.Put("c_\xE0\xE1.nls", samples::MakeNtCodePageFile({})); // "c_ab.nls" in Cyrillic letters
    const std::string shown = dir.File("c_\\xE0\\xE1.nls");
    ProcessRun show = Run({"show", name});
    EXPECT_EQ(show.exitStatus, 0) << show.err;
    EXPECT_EQ(show.out.rfind(shown + ": NT code-page file\n", 0), 0u) << show.out;

    ProcessRun set = Run({"set", "--byte", "E0", "--unicode", "0431", name, nt});
    EXPECT_EQ(set.exitStatus, 0) << set.err;
    EXPECT_EQ(set.out.rfind(shown + ": E0 0430 -> 0431\n", 0), 0u) << set.out;
    EXPECT_EQ(samples::GetWord(Contents(name), samples::kNtForwardOffset + 2 * 0xE0), 0x0431);
}
