#include "app/CVarnoApp.h"
#include "platform/MessageBox.h"
#include "res/Resource.h"
#include "tables/CGdiTableHandler.h"
#include "tests/TempDir.h"
#include "tools/SampleGenerator.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

struct Message {
    std::string text;
    UINT style;
    bool operator==(const Message&) const = default;
};

void PrintTo(const Message& message, std::ostream* out) { *out << '"' << message.text << "\" style " << message.style; }

// Runs the program's start as the shell would with these arguments and
// collects the message boxes it shows.
class BatchRun {
public:
    explicit BatchRun(std::vector<std::string> arguments)
    {
        VarnoRegisterResources();
        AfxMessageBoxHandler previous = AfxSetMessageBoxHandler([this](const std::string& text, UINT style) {
            messages.push_back({text, style});
            return IDOK;
        });
        std::vector<char*> argv{const_cast<char*>("varno")};
        for (std::string& argument : arguments) {
            argv.push_back(argument.data());
        }
        CVarnoApp app;
        exitCode = AfxWinMain(static_cast<int>(argv.size()), argv.data());
        AfxSetMessageBoxHandler(std::move(previous));
    }

    std::vector<Message> messages;
    int exitCode = -1;
};

// A module whose entries 0x80-0xFF hold values of its own, so that every copied
// entry can be told from the target's; 0xC0-0xC4 keep the table's signature.
samples::Bytes ModuleWithMarkedEntries(std::size_t size, std::size_t base, std::uint16_t mark, std::uint32_t seed)
{
    samples::GdiModuleOptions options;
    options.size = size;
    options.tableBase = base;
    options.seed = seed;
    samples::Bytes bytes = samples::MakeGdiModule(options);
    for (std::size_t byte = 0x80; byte < 0x100; ++byte) {
        if (byte < 0xC0 || byte > 0xC4) {
            samples::PutWord(bytes, base + 2 * byte, static_cast<std::uint16_t>(mark + byte));
        }
    }
    return bytes;
}

// What the target must hold after a transplant: its own bytes, with the
// entries of 0x80-0xB6 and 0xB8-0xBF taken from the source.
samples::Bytes Transplanted(samples::Bytes target, std::size_t targetBase, const samples::Bytes& source,
                            std::size_t sourceBase)
{
    for (std::size_t byte = 0x80; byte <= 0xBF; ++byte) {
        if (byte != 0xB7) {
            samples::PutWord(target, targetBase + 2 * byte, samples::GetWord(source, sourceBase + 2 * byte));
        }
    }
    return target;
}

samples::Bytes Contents(const std::string& path)
{
    samples::Bytes bytes;
    EXPECT_TRUE(samples::ReadFile(path, bytes)) << path;
    return bytes;
}

class BatchTransplant : public ::testing::Test {
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

TEST_F(BatchTransplant, CopiesTheUpperEntriesExceptB7BetweenTablesAtTheirOwnBases)
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
        samples::Bytes written = Contents(targetPath);
        EXPECT_EQ(written, Transplanted(target, c.targetBase, source, c.sourceBase));
        EXPECT_EQ(samples::GetWord(written, c.targetBase + 2 * 0xB7), 0x1000 + 0xB7);
        EXPECT_EQ(samples::GetWord(written, c.targetBase + 2 * 0xC5), 0x1000 + 0xC5);
        EXPECT_EQ(Contents(sourcePath), source);
    }
}

TEST_F(BatchTransplant, TheFirstSignatureDecidesTheBase)
{
    // A stray signature before the real table moves the target's base to 700 - 384.
    samples::Bytes target = ModuleWithMarkedEntries(8192, 3000, 0x1000, 3);
    std::memcpy(target.data() + 700, CGdiTableHandler::kSignature, sizeof CGdiTableHandler::kSignature);
    samples::Bytes source = ModuleWithMarkedEntries(8192, 1000, 0x2000, 4);
    std::string targetPath = Write("t.exe", target);
    BatchRun run({targetPath, Write("s.exe", source)});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(Contents(targetPath), Transplanted(target, 700 - 384, source, 1000));
}

TEST_F(BatchTransplant, OptionsHoldingSlashQInAnyCaseSilenceTheSuccessMessage)
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

TEST_F(BatchTransplant, SourceAndTargetMayBeTheSameFile)
{
    samples::Bytes module = ModuleWithMarkedEntries(4096, 999, 0x1000, 7);
    std::string path = Write("gdi.exe", module);
    BatchRun run({path, path});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.messages, (std::vector<Message>{{"File modified ok: " + path, MB_ICONINFORMATION}}));
    EXPECT_EQ(Contents(path), module);
}

TEST_F(BatchTransplant, EachFailureShowsOnlyTheFirstMessageThatAppliesAndWritesNothing)
{
    samples::Bytes good = ModuleWithMarkedEntries(4096, 1000, 0x1000, 8);
    samples::Bytes noTable = samples::Filler(4096, 9);
    samples::Bytes tableAtZero = ModuleWithMarkedEntries(4096, 0, 0x1000, 10); // signature at offset 384
    std::string goodPath = Write("good.exe", good);
    std::string noTablePath = Write("none.exe", noTable);
    std::string zeroPath = Write("zero.exe", tableAtZero);
    std::string missing = dir.File("missing.exe");
    std::string folder = dir.Path().string();

    struct Case {
        std::vector<std::string> arguments;
        Message message;
    };
    const Case cases[] = {
        {{missing, dir.File("also missing.exe")}, {"Cannot open file " + missing, MB_ICONSTOP}},
        {{goodPath, missing}, {"Cannot open file " + missing, MB_ICONSTOP}},
        {{goodPath}, {"Cannot open file ", MB_ICONSTOP}},
        {{"/dde"}, {"Cannot open file /dde", MB_ICONSTOP}},
        {{folder, goodPath}, {"Cannot open file " + folder, MB_ICONSTOP}},
        {{noTablePath, noTablePath}, {"Bad format: " + noTablePath, MB_ICONSTOP}},
        {{goodPath, noTablePath}, {"Bad format: " + noTablePath, MB_ICONSTOP}},
        {{zeroPath, goodPath}, {"Bad format: " + zeroPath, MB_ICONSTOP}},
        {{goodPath, noTablePath, "/q"}, {"Bad format: " + noTablePath, MB_ICONSTOP}},
    };
    for (const Case& c : cases) {
        BatchRun run(c.arguments);
        EXPECT_NE(run.exitCode, 0) << c.message.text;
        EXPECT_EQ(run.messages, std::vector<Message>{c.message});
    }
    EXPECT_EQ(Contents(goodPath), good);
    EXPECT_EQ(Contents(noTablePath), noTable);
    EXPECT_EQ(Contents(zeroPath), tableAtZero);
}

TEST_F(BatchTransplant, RefusesOverlongTokensAndHugeFilesWithoutTouchingThem)
{
    samples::Bytes good = ModuleWithMarkedEntries(4096, 1000, 0x1000, 11);
    std::string goodPath = Write("good.exe", good);

    BatchRun overlong({goodPath, std::string(300, 'x')});
    EXPECT_NE(overlong.exitCode, 0);
    ASSERT_EQ(overlong.messages.size(), 1u);
    EXPECT_EQ(overlong.messages[0].style, MB_ICONSTOP);
    EXPECT_NE(overlong.messages[0].text.find("255"), std::string::npos);

    // A sparse file of 3 GiB: its size alone is refused, nothing is read.
    std::string hugePath = dir.File("huge.exe");
    ASSERT_TRUE(samples::WriteFile(hugePath, {}));
    ASSERT_EQ(::truncate(hugePath.c_str(), 3LL << 30), 0);
    BatchRun huge({goodPath, hugePath});
    EXPECT_NE(huge.exitCode, 0);
    ASSERT_EQ(huge.messages.size(), 1u);
    EXPECT_EQ(huge.messages[0].style, MB_ICONSTOP);
    EXPECT_NE(huge.messages[0].text.find(hugePath), std::string::npos);
    EXPECT_EQ(huge.messages[0].text.find("Bad format"), std::string::npos);
    EXPECT_EQ(Contents(goodPath), good);
}
