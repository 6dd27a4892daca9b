// The batch mode on untrusted arguments and modules. The input holds the arguments and two module images:
//
//   byte 0                  argument count (modulo 5)
//   that many arguments     each ending in a zero byte
//   2 bytes                 target image length T (little-endian)
//   T bytes                 the target image, written to the file "t"
//   the rest                the source image, written to the file "s"
//
// A carried argument list runs the transplant on the files of a scratch folder
// named by the first two arguments (which must hold no '/').

#include "app/BatchCommandLine.h"
#include "app/BatchTransplant.h"
#include "fuzz/FuzzSupport.h"
#include "platform/CommandLine.h"
#include "platform/MessageBox.h"
#include "tables/CGdiTableHandler.h"

#include <cctype>

namespace {

int g_messages = 0;

std::int32_t TableBase(const std::string& image)
{
    std::vector<std::uint8_t> padded(image.begin(), image.end());
    padded.resize(image.size() + 16, 0);
    return CGdiTableHandler().LocateTable(padded.data(), static_cast<std::int32_t>(image.size()));
}

// The rebuilt command line of the arguments, or "" when it cannot carry them.
std::string CommandLine(std::vector<std::string> arguments)
{
    std::vector<char*> argv{const_cast<char*>("varno")};
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    std::string line;
    const int uncarriable = AfxBuildCommandLine(static_cast<int>(argv.size()), argv.data(), line);
    if (uncarriable != 0) {
        const std::string& refused = arguments[static_cast<std::size_t>(uncarriable - 1)];
        fuzz::Require(refused.empty() || refused.find_first_of("'\"") != std::string::npos,
                      "only an empty argument or one holding a quote is refused");
        return {};
    }
    fuzz::Require(SplitBatchCommandLine(line.c_str(), arguments.size()) == arguments,
                  "a carried argument list comes back exactly");
    return line;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    [[maybe_unused]] static const bool ready = [] {
        AfxSetMessageBoxHandler([](const std::string&, UINT) {
            ++g_messages;
            return IDOK;
        });
        return !fuzz::ScratchFolder().empty();
    }();

    const std::string input(reinterpret_cast<const char*>(data), size);
    std::size_t at = 0;
    std::vector<std::string> arguments(size > 0 ? data[at++] % 5 : 0);
    for (std::string& argument : arguments) {
        const std::size_t end = std::min(input.find('\0', at), size);
        argument = input.substr(at, end - at);
        at = std::min(end + 1, size);
    }
    std::size_t targetLength = at + 2 <= size ? data[at] | data[at + 1] << 8 : 0;
    at = std::min(at + 2, size);
    targetLength = std::min(targetLength, size - at);
    const std::string images[] = {input.substr(at, targetLength), input.substr(at + targetLength)};

    if (CommandLine(arguments).empty()) {
        return 0;
    }
    for (std::size_t i = 0; i < std::min<std::size_t>(arguments.size(), 2); ++i) {
        if (arguments[i].find('/') != std::string::npos) {
            return 0;
        }
        arguments[i] = fuzz::ScratchFolder() + "/" + arguments[i];
    }
    const std::string names[] = {fuzz::ScratchFolder() + "/t", fuzz::ScratchFolder() + "/s"};
    std::ofstream(names[0], std::ios::binary | std::ios::trunc) << images[0];
    std::ofstream(names[1], std::ios::binary | std::ios::trunc) << images[1];

    g_messages = 0;
    const bool written = RunBatchTransplant(CommandLine(arguments).c_str());

    // What must have happened, worked out from the arguments and the images.
    arguments.resize(3);
    auto file = [&](const std::string& path) { return path == names[0] ? 0 : path == names[1] ? 1 : -1; };
    const int target = file(arguments[0]);
    const int source = file(arguments[1]);
    const bool fits = std::all_of(arguments.begin(), arguments.end(), [](const std::string& a) { return a.size() <= 255; });
    const std::int32_t targetBase = target >= 0 ? TableBase(images[target]) : 0;
    const std::int32_t sourceBase = source >= 0 ? TableBase(images[source]) : 0;
    fuzz::Require(written == (fits && targetBase != 0 && sourceBase != 0), "the transplant runs exactly when it can");

    std::string expected[] = {images[0], images[1]};
    if (written) {
        expected[target].replace(targetBase + 256, 110, images[source], sourceBase + 256, 110);
        expected[target].replace(targetBase + 368, 16, images[source], sourceBase + 368, 16);
    }
    fuzz::Require(Slurp(names[0]) == expected[0] && Slurp(names[1]) == expected[1],
                  "only the copied entries change, and only after a success");
    std::string options = arguments[2];
    std::transform(options.begin(), options.end(), options.begin(), [](unsigned char ch) { return std::tolower(ch); });
    const bool quiet = written && options.find("/q") != std::string::npos;
    fuzz::Require(g_messages == (quiet ? 0 : 1), "exactly one message, none after a quiet success");
    return 0;
}
