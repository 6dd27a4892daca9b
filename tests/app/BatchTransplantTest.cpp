#include "app/BatchTransplant.h"
#include "app/CVarnoApp.h"
#include "res/Resource.h"
#include "tests/MessageLog.h"
#include "tests/TempDir.h"
#include "tests/app/BatchModules.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

using Message = MessageLog::Message;

// Runs the program's start as the shell would with these arguments; the message boxes it showed.
std::vector<Message> RunBatch(std::vector<std::string> arguments, int& exitCode)
{
    VarnoRegisterResources();
    MessageLog log;
    std::vector<char*> argv{const_cast<char*>("varno")};
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    CVarnoApp app;
    exitCode = AfxWinMain(static_cast<int>(argv.size()), argv.data());
    return log.Messages();
}

} // namespace

// What the transplant writes is held by the batch fuzz target on its corpus;
// here the message and exit code of each outcome.
TEST(BatchTransplantRun, EachOutcomeShowsItsMessageAndOnlyASuccessWrites)
{
    TempDir dir;
    samples::Bytes good = ModuleWithMarkedEntries(4096, 1000, 0x1000, 8);
    samples::Bytes noTable = samples::Filler(4096, 9);
    samples::Bytes tableAtZero = ModuleWithMarkedEntries(4096, 0, 0x1000, 10); // signature at offset 384
    std::string goodPath = dir.Put("good.exe", good);
    std::string noTablePath = dir.Put("none.exe", noTable);
    std::string zeroPath = dir.Put("zero.exe", tableAtZero);
    // Of a module with several tables, only the one the Cyrillic signature finds counts.
    samples::Bytes threeTables = samples::MakeGdiModuleWithTables({.size = 8192, .offsets = {1000, 3001, 5000}});
    samples::Bytes noCyrillic = samples::MakeGdiModuleWithTables({.codePages = {"windows-1250", "windows-1253"}});
    std::string threePath = dir.Put("three.exe", threeTables);
    std::string noCyrillicPath = dir.Put("no cyrillic.exe", noCyrillic);
    std::string missing = dir.File("missing.exe");
    // A sparse file of 3 GiB: its size alone is refused, nothing is read.
    std::string huge = dir.Put("huge.exe", {});
    ASSERT_EQ(::truncate(huge.c_str(), 3LL << 30), 0);

    const std::string copy = dir.Put("copy of good.exe", good); // a blank is carried in quotes
    const Message ok{"File modified ok: " + copy, MB_ICONINFORMATION};
    struct Case {
        std::vector<std::string> arguments;
        std::vector<Message> messages; // a failure's message is a stop box
        int exitCode = 1;
    };
    auto failure = [](std::string text) { return std::vector<Message>{{std::move(text), MB_ICONSTOP}}; };
    const std::vector<Message> noSource = failure("A source module is missing. Usage: varno TARGET SOURCE [/q] (varno "
                                                  "--help tells more). To open files in the editor: varno-open FILE...");
    const Case cases[] = {
        {{copy, goodPath}, {ok}, 0},
        {{copy, copy}, {ok}, 0},
        // Options holding "/q" in any case silence the success message.
        {{copy, goodPath, "x/Qy"}, {}, 0},
        {{copy, goodPath, "-q"}, {ok}, 0},
        {{missing, dir.File("also missing.exe")}, failure("Cannot open file " + missing)},
        {{goodPath, missing}, failure("Cannot open file " + missing)},
        // One word, a file or a switch, names no source: the usage, and where files open instead.
        {{goodPath}, noSource},
        {{"/dde"}, noSource},
        {{dir.Path().string(), goodPath}, failure("Cannot open file " + dir.Path().string())},
        {{noTablePath, noTablePath}, failure("Bad format: " + noTablePath)},
        {{goodPath, noTablePath}, failure("Bad format: " + noTablePath)},
        {{zeroPath, goodPath}, failure("Bad format: " + zeroPath)},
        {{threePath, goodPath, "/q"}, {}, 0},
        {{goodPath, noCyrillicPath}, failure("Bad format: " + noCyrillicPath)},
        {{goodPath, huge}, failure("File too large for a GDI module (2 GiB or more): " + huge)},
        {{goodPath, std::string(256, 'x')},
         failure("A file name or option on the command line is longer than 255 characters; nothing was changed.")},
    };
    for (const Case& c : cases) {
        int exitCode = -1;
        EXPECT_EQ(RunBatch(c.arguments, exitCode), c.messages);
        EXPECT_EQ(exitCode, c.exitCode) << c.arguments[0];
    }
    EXPECT_EQ(Contents(goodPath), good);
    EXPECT_EQ(Contents(noTablePath), noTable);
    EXPECT_EQ(Contents(zeroPath), tableAtZero);
    EXPECT_EQ(Contents(threePath), Transplanted(threeTables, 3001, good, 1000));
    EXPECT_EQ(Contents(noCyrillicPath), noCyrillic);
}

TEST(BatchTransplantRun, ATargetThatChangedOnDiskAfterItWasReadIsNotWritten)
{
    TempDir dir;
    samples::Bytes module = ModuleWithMarkedEntries(4096, 1000, 0x1000, 12);
    std::string source = dir.Put("s.exe", ModuleWithMarkedEntries(4096, 1500, 0x2000, 13));
    // What another program does between the read and the write.
    const std::function<void(samples::Bytes&)> changes[] = {
        [](samples::Bytes& bytes) { bytes[1000 + 2 * 0x90] ^= 1; },
        [](samples::Bytes& bytes) { bytes.push_back(0); },
    };
    for (const auto& change : changes) {
        std::string target = dir.Put("t.exe", module);
        MessageLog log;
        BatchTransplant transplant(target, source);
        ASSERT_TRUE(transplant.Read());
        samples::Bytes changed = module;
        change(changed);
        ASSERT_TRUE(samples::WriteFile(target, changed));
        EXPECT_FALSE(transplant.Write());
        EXPECT_EQ(Contents(target), changed);
        ASSERT_EQ(log.Messages().size(), 1u);
        EXPECT_NE(log.Messages()[0].text.find("changed on disk"), std::string::npos);
    }
}
