#include "app/BatchTransplant.h"
#include "app/CVarnoApp.h"
#include "res/Resource.h"
#include "tests/MessageLog.h"
#include "tests/TempDir.h"
#include "tests/app/BatchModules.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

using Message = std::pair<std::string, UINT>;

// Runs the program's start as the shell would with these arguments and
// collects the message boxes it shows.
class BatchRun {
public:
    explicit BatchRun(std::vector<std::string> arguments)
    {
        VarnoRegisterResources();
        MessageLog log;
        std::vector<char*> argv{const_cast<char*>("varno")};
        for (std::string& argument : arguments) {
            argv.push_back(argument.data());
        }
        CVarnoApp app;
        exitCode = AfxWinMain(static_cast<int>(argv.size()), argv.data());
        for (const MessageLog::Message& message : log.Messages()) {
            messages.emplace_back(message.text, message.type);
        }
    }

    std::vector<Message> messages;
    int exitCode = -1;
};

class BatchTransplantRun : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const samples::Bytes& bytes)
    {
        std::string path = dir.File(name);
        EXPECT_TRUE(samples::WriteFile(path, bytes));
        return path;
    }

    TempDir dir;
};

} // namespace

TEST_F(BatchTransplantRun, CopiesTheUpperEntriesExceptB7BetweenTablesAtTheirOwnBases)
{
    struct Case {
        std::size_t targetSize, targetBase, sourceSize, sourceBase;
    };
    const Case cases[] = {{8192, 1000, 8192, 1000}, {8192, 1001, 20000, 15001}, {5000, 4001, 3000, 600}};
    for (const Case& c : cases) {
        samples::Bytes target = ModuleWithMarkedEntries(c.targetSize, c.targetBase, 0x1000, 1);
        samples::Bytes source = ModuleWithMarkedEntries(c.sourceSize, c.sourceBase, 0x2000, 2);
        std::string targetPath = Write("gdi.exe", target);
        std::string sourcePath = Write("source module.exe", source);

        BatchRun run({targetPath, sourcePath});

        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.messages, (std::vector<Message>{{"File modified ok: " + targetPath, MB_ICONINFORMATION}}));
        EXPECT_EQ(Contents(targetPath), Transplanted(target, c.targetBase, source, c.sourceBase));
        EXPECT_EQ(Contents(sourcePath), source);
    }
}

TEST_F(BatchTransplantRun, OptionsHoldingSlashQInAnyCaseSilenceTheSuccessMessage)
{
    samples::Bytes module = ModuleWithMarkedEntries(4096, 1000, 0x1000, 5);
    std::string target = Write("t.exe", module);
    std::string source = Write("s.exe", ModuleWithMarkedEntries(4096, 1500, 0x2000, 6));
    const std::pair<const char*, bool> options[] = {{"/q", true}, {"/Q", true}, {"x/qy", true}, {"-q", false}, {"q", false}};
    for (const auto& [option, silent] : options) {
        BatchRun run({target, source, option});
        EXPECT_EQ(run.exitCode, 0) << option;
        EXPECT_EQ(run.messages.empty(), silent) << option;
    }
}

TEST_F(BatchTransplantRun, SourceAndTargetMayBeTheSameFile)
{
    samples::Bytes module = ModuleWithMarkedEntries(4096, 999, 0x1000, 7);
    std::string path = Write("gdi.exe", module);
    BatchRun run({path, path});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.messages, (std::vector<Message>{{"File modified ok: " + path, MB_ICONINFORMATION}}));
    EXPECT_EQ(Contents(path), module);
}

TEST_F(BatchTransplantRun, EachFailureShowsOnlyTheFirstMessageThatAppliesAndWritesNothing)
{
    samples::Bytes good = ModuleWithMarkedEntries(4096, 1000, 0x1000, 8);
    samples::Bytes noTable = samples::Filler(4096, 9);
    samples::Bytes tableAtZero = ModuleWithMarkedEntries(4096, 0, 0x1000, 10); // signature at offset 384
    std::string goodPath = Write("good.exe", good);
    std::string noTablePath = Write("none.exe", noTable);
    std::string zeroPath = Write("zero.exe", tableAtZero);
    std::string missing = dir.File("missing.exe");
    std::string folder = dir.Path().string();
    // A sparse file of 3 GiB: its size alone is refused, nothing is read.
    std::string huge = dir.File("huge.exe");
    ASSERT_TRUE(samples::WriteFile(huge, {}));
    ASSERT_EQ(::truncate(huge.c_str(), 3LL << 30), 0);

    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{missing, dir.File("also missing.exe")}, "Cannot open file " + missing},
        {{goodPath, missing}, "Cannot open file " + missing},
        {{goodPath}, "Cannot open file "},
        {{"/dde"}, "Cannot open file /dde"},
        {{folder, goodPath}, "Cannot open file " + folder},
        {{noTablePath, noTablePath}, "Bad format: " + noTablePath},
        {{goodPath, noTablePath}, "Bad format: " + noTablePath},
        {{zeroPath, goodPath}, "Bad format: " + zeroPath},
        {{goodPath, noTablePath, "/q"}, "Bad format: " + noTablePath},
        {{goodPath, huge}, "File too large for a GDI module (2 GiB or more): " + huge},
        {{goodPath, std::string(256, 'x')},
         "A file name or option on the command line is longer than 255 characters; nothing was changed."},
    };
    for (const auto& [arguments, text] : cases) {
        BatchRun run(arguments);
        EXPECT_NE(run.exitCode, 0) << text;
        EXPECT_EQ(run.messages, (std::vector<Message>{{text, MB_ICONSTOP}}));
    }
    EXPECT_EQ(Contents(goodPath), good);
    EXPECT_EQ(Contents(noTablePath), noTable);
    EXPECT_EQ(Contents(zeroPath), tableAtZero);
}

TEST_F(BatchTransplantRun, ATargetThatChangedOnDiskAfterItWasReadIsNotWritten)
{
    samples::Bytes module = ModuleWithMarkedEntries(4096, 1000, 0x1000, 12);
    std::string source = Write("s.exe", ModuleWithMarkedEntries(4096, 1500, 0x2000, 13));
    // What another program does between the read and the write.
    const std::function<void(samples::Bytes&)> changes[] = {
        [](samples::Bytes& bytes) { bytes[1000 + 2 * 0x90] ^= 1; },
        [](samples::Bytes& bytes) { bytes.push_back(0); },
    };
    for (const auto& change : changes) {
        std::string target = Write("t.exe", module);
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
