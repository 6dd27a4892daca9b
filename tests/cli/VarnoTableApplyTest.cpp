// apply and diff run as programs on generated files. What apply writes is held against the formats' plain
// rules and the generator's reference 9x rebuild, not against the table handlers.

#include "tests/EditScenario.h"
#include "tests/cli/VarnoTableRun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <sys/resource.h>

namespace {

using edit_scenario::FileKind;
using edit_scenario::ScenarioFile;

const samples::Mapping kCyrillic = samples::CodePageMapping("windows-1251");
const samples::Mapping kWestern = samples::CodePageMapping("windows-1252");

std::uint16_t ValueIn(const ScenarioFile& file, const samples::Bytes& bytes, int byte)
{
    return samples::GetWord(bytes, edit_scenario::ForwardOffset(file) + 2 * static_cast<std::size_t>(byte));
}

// Files that take the upper half of windows-1251: windows-1252 NT files (with two best-fit reverse entries,
// one naming a byte that changes, one a byte that keeps its value), an OEM NT file, a windows-1252 9x file,
// and a Cyrillic GDI module whose bytes 80-BF hold windows-1252's values.
std::vector<ScenarioFile> Targets()
{
    std::vector<ScenarioFile> files = {edit_scenario::NtFile("c_1252.nls", "windows-1252", 1252, false),
                                       edit_scenario::NtFile("c_866.nls", "IBM866", 866, true),
                                       {"cp_1252.nls", FileKind::ninex, 0, samples::MakeNinexCodePageFile(kWestern, 17506, 3), {}},
                                       edit_scenario::GdiFile("gdi.exe")};
    files[0].before[files[0].reverseOffset + 0x0100] = 0xC0;
    files[0].before[files[0].reverseOffset + 0x0101] = 0xA9;
    for (int byte = 0x80; byte <= 0xBF; ++byte) {
        samples::PutWord(files[3].before, edit_scenario::kGdiTableBase + 2 * static_cast<std::size_t>(byte), kWestern[byte]);
    }
    return files;
}

// Whether an offset lies in one of the tables that apply may write.
bool InsideTables(const ScenarioFile& file, std::size_t offset, std::size_t ninexTableEnd)
{
    const std::size_t forward = edit_scenario::ForwardOffset(file);
    const std::size_t end = file.kind == FileKind::ninex ? ninexTableEnd : forward + 512;
    const bool inReverse = file.kind == FileKind::nt && offset >= file.reverseOffset && offset < file.reverseOffset + 0x10000;
    return (offset >= forward && offset < end) || inReverse;
}

using VarnoTableApply = VarnoTable;
using VarnoTableDiff = VarnoTable;

} // namespace

TEST_F(VarnoTableApply, EachKindTakesTheSourceRangeAndNothingElseChanges)
{
    const std::string nt1251 = dir.Put("c_1251.nls", samples::MakeNtCodePageFile({}));
    for (ScenarioFile& target : Targets()) {
        SCOPED_TRACE(target.name);
        const std::string path = dir.Put(target.name, target.before);
        ProcessRun run = Run({"apply", "--from", nt1251, path});
        ASSERT_EQ(run.exitStatus, 0) << run.err;
        target.after = Contents(path);

        samples::Mapping forward;
        int changedEntries = 0;
        for (int byte = 0; byte < 256; ++byte) {
            forward[byte] = ValueIn(target, target.after, byte);
            const std::uint16_t was = ValueIn(target, target.before, byte);
            EXPECT_EQ(forward[byte], byte >= 0x80 ? kCyrillic[byte] : was) << byte;
            changedEntries += forward[byte] != was;
        }
        // One line for each changed entry, "FILE: C0 00C0 -> 0410".
        EXPECT_EQ(Lines(run.out).size(), static_cast<std::size_t>(changedEntries)) << run.out;
        std::size_t ninexTableEnd = 0;
        if (target.kind == FileKind::ninex) {
            const std::vector<std::uint16_t> table = samples::ReferenceNinexTable(forward);
            ninexTableEnd = samples::kNinexReverseOffset + 2 * table.size();
            for (std::size_t k = 0; k < table.size(); ++k) {
                ASSERT_EQ(samples::GetWord(target.after, samples::kNinexReverseOffset + 2 * k), table[k]) << k;
            }
        }
        if (target.kind == FileKind::nt) {
            // An entry naming a byte that changed names it only for its new value; others stay.
            std::vector<int> wrong;
            for (int u = 0; u < 0x10000; ++u) {
                const std::uint8_t was = target.before[target.reverseOffset + u];
                const std::uint8_t now = target.after[target.reverseOffset + u];
                const bool byteChanged = was >= 0x80 && ValueIn(target, target.before, was) != forward[was];
                if (!(now >= 0x80 && forward[now] == u) && now != (byteChanged ? 0x3F : was)) {
                    wrong.push_back(u);
                }
            }
            EXPECT_TRUE(wrong.empty()) << wrong.size() << " reverse entries, the first for " << wrong.front();
        }
        std::vector<std::size_t> outside;
        for (std::size_t offset : DifferingOffsets(target.after, target.before)) {
            if (!InsideTables(target, offset, ninexTableEnd)) {
                outside.push_back(offset);
            }
        }
        EXPECT_TRUE(outside.empty()) << outside.size() << " bytes, the first at " << outside.front();
    }
}

// A built-in code page gives the bytes that a mapping text of it gives, here written from glibc's tables, bytes
// that it leaves undefined included; and it refuses where the text refuses (an OEM file and a Cyrillic GDI module).
TEST_F(VarnoTableApply, ABuiltInCodePageGivesWhatItsMappingTextGives)
{
    std::string text;
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const std::optional<std::uint16_t> value = IconvUnicode("CP1253", byte);
        text += "0x" + Hex(byte, 2) + "\t" + (value ? "0x" + Hex(*value, 4) : "#UNDEFINED") + "\n";
    }
    const std::string greek = dir.Put("cp1253.txt", samples::Bytes(text.begin(), text.end()));
    const std::vector<int> statuses = {0, 2, 0, 2};
    const std::vector<ScenarioFile> targets = Targets();
    for (std::size_t k = 0; k < targets.size(); ++k) {
        SCOPED_TRACE(targets[k].name);
        const std::string byName = dir.Put("by-name/" + targets[k].name, targets[k].before);
        const std::string byText = dir.Put("by-text/" + targets[k].name, targets[k].before);
        EXPECT_EQ(Run({"apply", "--codepage", "windows-1253", byName}).exitStatus, statuses[k]);
        EXPECT_EQ(Run({"apply", "--from", greek, byText}).exitStatus, statuses[k]);
        EXPECT_EQ(Contents(byName), Contents(byText));
        EXPECT_EQ(Contents(byName) != targets[k].before, statuses[k] == 0);
    }
}

TEST_F(VarnoTableApply, RefusalsAndDryRunsWriteNothing)
{
    // A 9x file with no byte behind its table, and a source whose bytes 80-FF need a block each.
    const std::size_t tight = samples::kNinexReverseOffset + 2 * samples::ReferenceNinexTable(kWestern).size();
    std::string spread;
    for (unsigned byte = 0x80; byte <= 0xFF; ++byte) {
        spread += "0x" + Hex(byte, 2) + "\t0x" + Hex((byte - 0x7F) << 8, 4) + "\n";
    }
    // Values that bytes the take leaves alone hold: ASCII's "e", and 00C5 of a byte outside a narrowed range.
    const std::string e = "0xE9\t0x0065\n";
    const std::string c5 = "0xC0\t0x00C5\n0xC1\t0x00C0\n";
    const std::string surrogate = "0x80\t0x0402\n0x81\t0xDC00\n";
    const struct {
        std::string name;
        samples::Bytes bytes;
    } files[] = {{"c_1252.nls", edit_scenario::NtFile("c", "windows-1252", 1252, false).before},
                 {"c_1251.nls", samples::MakeNtCodePageFile({})},
                 {"cp_1252.nls", samples::MakeNinexCodePageFile(kWestern, tight, 1)},
                 {"gdi.exe", edit_scenario::GdiFile("gdi.exe").before},
                 {"ru.kbd", edit_scenario::KeyboardFile("ru.kbd").before},
                 {"spread.txt", samples::Bytes(spread.begin(), spread.end())},
                 {"e.txt", samples::Bytes(e.begin(), e.end())},
                 {"c5.txt", samples::Bytes(c5.begin(), c5.end())},
                 {"surrogate.txt", samples::Bytes(surrogate.begin(), surrogate.end())},
                 {"bad.txt", {'0', 'x', '8', '0', '\n', '0', 'x', '8', '1', ' ', '4', '1', '0', '\n'}}};
    for (const auto& file : files) {
        dir.Put(file.name, file.bytes);
    }
    auto in = [&](const std::string& name) { return dir.File(name); };
    const struct {
        std::vector<std::string> arguments;
        std::string refused; // the file that standard error names; empty for none
        std::string message; // a part of standard error; empty for a dry run
        std::vector<std::string> dryRun = {}; // what a dry run tells of c_1252.nls
    } cases[] = {
        {{"--from", in("c_1251.nls"), in("c_1252.nls"), in("ru.kbd")}, "ru.kbd", "keyboard layout"},
        {{"--from", in("c_1252.nls"), in("c_1251.nls"), in("gdi.exe")}, "gdi.exe", "could no longer be found"},
        {{"--from", in("spread.txt"), in("c_1252.nls"), in("cp_1252.nls")}, "cp_1252.nls", "no room"},
        {{"--from", in("bad.txt"), in("c_1252.nls")}, "bad.txt", "line 2 "},
        {{"--from", in("surrogate.txt"), in("c_1252.nls")}, "surrogate.txt",
         "line 2 gives byte 0x81 the value 0xDC00, a surrogate"},
        {{"--from", in("ru.kbd"), in("c_1252.nls")}, "ru.kbd", "keyboard layout"},
        {{"--from", in("e.txt"), in("c_1252.nls")}, "c_1252.nls", "byte E9 would take 0065, which byte 65 keeps"},
        {{"--from", in("e.txt"), in("cp_1252.nls")}, "cp_1252.nls", "0065 would no longer convert back to 65"},
        {{"--from", in("c5.txt"), "--range", "C0-C4", in("c_1252.nls")}, "c_1252.nls", "which byte C5 keeps"},
        {{"--codepage", "latin-9", in("c_1252.nls")}, "", "no built-in code page is named 'latin-9'; varno-table apply --help"},
        {{"--from", in("c_1251.nls"), "--codepage", "cp1251", in("c_1252.nls")}, "", "either --from TABLE or --codepage NAME"},
        {{"--from", in("c_1251.nls"), "--range", "C0", in("c_1252.nls")}, "", "--range"},
        {{"--from", in("c_1251.nls"), "--range", "C0-BF", in("c_1252.nls")}, "", "'C0-BF' are reversed; write BF-C0"},
        {{"--dry-run", "--from", in("c_1251.nls"), "--range", "C0-C1", in("c_1252.nls")}, "", "",
         {"C0 00C0 -> 0410", "C1 00C1 -> 0411"}},
        {{"--dry-run", "--from", in("c_1251.nls"), "--range", "C0-C0", in("c_1252.nls")}, "", "", {"C0 00C0 -> 0410"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.refused + " " + c.message);
        std::vector<std::string> arguments = c.arguments;
        arguments.insert(arguments.begin(), "apply");
        ProcessRun run = Run(arguments);
        if (c.message.empty()) {
            EXPECT_EQ(run.exitStatus, 0) << run.err;
            std::string told;
            for (const std::string& line : c.dryRun) {
                told += dir.File("c_1252.nls") + ": " + line + "\n";
            }
            EXPECT_EQ(run.out, told + "dry run: no file written\n");
        } else {
            EXPECT_EQ(run.exitStatus, 2);
            const std::string prefix = "varno-table: " + (c.refused.empty() ? "" : dir.File(c.refused) + ": ");
            EXPECT_EQ(run.err.rfind(prefix, 0), 0u) << run.err;
            EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
            EXPECT_EQ(run.out, "");
        }
        for (const auto& file : files) {
            EXPECT_TRUE(Contents(dir.File(file.name)) == file.bytes) << file.name;
        }
    }
}

// A write that the file-size limit (ulimit -f) stops fails like any other: in place or by replacement, every file
// is left as it was and no temporary file stays. The limit lets the 9x file and the NT file's forward entries
// through, but not its reverse entry of F000 nor a whole new NT file.
TEST_F(VarnoTableApply, AWriteThatTheSizeLimitStopsLeavesEveryFileAsItWas)
{
    const std::string text = "0xFF\t0xF000\n";
    const struct {
        std::vector<std::string> targets;
        bool linked; // written in place
    } cases[] = {{{"c_1252.nls"}, true}, {{"cp_1252.nls", "c_1252.nls"}, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.targets.front());
        std::filesystem::remove_all(dir.Path());
        std::filesystem::create_directory(dir.Path());
        std::vector<std::string> arguments = {"apply", "--from", dir.Put("ff.txt", samples::Bytes(text.begin(), text.end()))};
        std::vector<samples::Bytes> before;
        for (const std::string& name : c.targets) {
            before.push_back(name[1] == 'p' ? samples::MakeNinexCodePageFile(kWestern, 17506, 3)
                                            : edit_scenario::NtFile(name, "windows-1252", 1252, false).before);
            arguments.push_back(dir.Put(name, before.back()));
            ASSERT_TRUE(!c.linked || ::link(arguments.back().c_str(), (arguments.back() + ".2").c_str()) == 0);
        }
        ProcessRun run = Run(arguments, [] {
            const rlimit limit{32 * 1024, 32 * 1024};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        });
        EXPECT_EQ(run.exitStatus, 2);
        EXPECT_NE(run.err.find("File too large"), std::string::npos) << run.err;
        for (std::size_t k = 0; k < c.targets.size(); ++k) {
            EXPECT_TRUE(Contents(dir.File(c.targets[k])) == before[k]) << c.targets[k];
        }
        // The targets, their second links, the source and the run's output: nothing else.
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), c.targets.size() * (1 + c.linked) + 3);
    }
}

TEST_F(VarnoTableDiff, PrintsWhatTheExportsShowDifferentAndTellsByItsStatus)
{
    const std::string nt1251 = dir.Put("c_1251.nls", samples::MakeNtCodePageFile({}));
    const std::string nt1252 = dir.Put("c_1252.nls", edit_scenario::NtFile("c", "windows-1252", 1252, false).before);
    const std::string gdi = dir.Put("gdi.exe", samples::MakeGdiModule({}));

    const struct {
        std::string a, b;
        int status;
    } pairs[] = {{nt1251, gdi, 0}, {nt1251, nt1252, 1}, {nt1252, gdi, 1}};
    for (const auto& pair : pairs) {
        SCOPED_TRACE(pair.a + " " + pair.b);
        // The lines of the two exports ("0xC0\t0x0410") that differ, as "C0 0410 0430".
        const std::vector<std::string> a = Lines(Run({"export", pair.a}).out);
        const std::vector<std::string> b = Lines(Run({"export", pair.b}).out);
        ASSERT_TRUE(a.size() == 256 && b.size() == 256);
        std::string expected;
        for (std::size_t i = 0; i < 256; ++i) {
            expected += a[i] == b[i] ? "" : a[i].substr(2, 2) + " " + a[i].substr(7) + " " + b[i].substr(7) + "\n";
        }
        ProcessRun run = Run({"diff", pair.a, pair.b});
        EXPECT_EQ(run.exitStatus, pair.status) << run.err;
        EXPECT_EQ(run.out, expected);

        // The same as a JSON list of numbers.
        ProcessRun json = Run({"diff", "--json", pair.a, pair.b});
        EXPECT_EQ(json.exitStatus, pair.status);
        std::string fromJson;
        for (const QJsonValue& item : QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).array()) {
            const QJsonObject entry = item.toObject();
            fromJson += Hex(entry["byte"].toInt(), 2) + " " + Hex(entry["a"].toInt(), 4) + " "
                + Hex(entry["b"].toInt(), 4) + "\n";
        }
        EXPECT_EQ(fromJson, run.out);
    }

    // A mapping text names only some bytes, one of them without a value: every other byte differs from a value.
    const std::string part = "0x80\t0x0402 # in windows-1251 too\n0x81\n";
    ProcessRun partial = Run({"diff", nt1251, dir.Put("part.txt", samples::Bytes(part.begin(), part.end()))});
    EXPECT_EQ(partial.exitStatus, 1) << partial.err;
    EXPECT_EQ(Lines(partial.out).size(), 255u);
    EXPECT_NE(partial.out.find("\n81 0403 ----\n82 201A ----\n"), std::string::npos) << partial.out;
}

TEST_F(VarnoTableDiff, ComparesAColumnPerTableAndACodePageOnlyWhereItDefinesTheByte)
{
    std::vector<std::string> system;
    for (const ScenarioFile& file : edit_scenario::DisagreeingSystem()) {
        system.push_back(dir.Put(file.name, file.before));
    }
    const std::string agreeing = dir.Put("c_agree.nls", samples::MakeNtCodePageFile({}));
    const struct {
        std::vector<std::string> arguments;
        int status;
        std::string text;
        std::string json;
    } cases[] = {
        {{system[0], system[1], system[2]}, 1, "E0 0061 0430 0061\nE1 0431 0062 0431\nF0 0058 0440 0440\n",
         R"([{"byte":224,"values":[97,1072,97]},{"byte":225,"values":[1073,98,1073]},{"byte":240,"values":[88,1088,1088]}])"},
        {{agreeing, system[1], system[0]}, 1, "E0 0430 0430 0061\nE1 0431 0062 0431\nF0 0440 0440 0058\n", ""},
        {{agreeing, agreeing, agreeing}, 0, "", "[]"},
        // Byte 98, which windows-1251 leaves undefined, is not compared.
        {{"--codepage", "CP1251", system[0]}, 1, "E0 0430 0061\nF0 0440 0058\n",
         R"([{"byte":224,"a":1072,"b":97},{"byte":240,"a":1088,"b":88}])"},
        {{"--codepage", "windows-1251", agreeing}, 0, "", "[]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        std::vector<std::string> arguments = c.arguments;
        arguments.insert(arguments.begin(), "diff");
        ProcessRun run = Run(arguments);
        EXPECT_EQ(run.exitStatus, c.status) << run.err;
        EXPECT_EQ(run.out, c.text);
        if (!c.json.empty()) {
            arguments.insert(arguments.begin() + 1, "--json");
            ProcessRun json = Run(arguments);
            EXPECT_EQ(json.exitStatus, c.status);
            EXPECT_EQ(json.out, c.json + "\n");
        }
    }
    for (const std::vector<std::string>& refused : {std::vector<std::string>{"diff", system[0]},
                                                     {"diff", "--codepage", "cp9999", system[0]}}) {
        EXPECT_EQ(Run(refused).exitStatus, 2) << refused.back();
    }
}
