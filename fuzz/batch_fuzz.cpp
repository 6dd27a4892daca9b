// The batch mode on untrusted arguments and modules. The input holds the
// arguments and two module images:
//
//   byte 0                  argument count (modulo 5)
//   that many arguments     each ending in a zero byte
//   2 bytes                 target image length T (little-endian)
//   T bytes                 the target image, written to the file "t"
//   the rest                the source image, written to the file "s"
//
// Every argument list either passes through the rebuilt command line exactly
// or is refused. A carried list runs the transplant on the files of a private
// folder, named by the first two arguments (which must hold no '/'); it must
// change only the entries 0x80-0xB6 and 0xB8-0xBF of the target, take them
// from the source, report exactly what happened, and leave both files as they
// were when it fails.

#include "app/BatchTransplant.h"
#include "fuzz/FuzzSupport.h"
#include "platform/CommandLine.h"
#include "platform/MessageBox.h"
#include "tables/CGdiTableHandler.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

int g_messages = 0;

const std::string& Folder()
{
    static const std::string folder = [] {
        // A memory file system where there is one: the sync of every write costs nothing there.
        for (std::string pattern : {"/dev/shm/varno-batch-fuzz-XXXXXX", "/tmp/varno-batch-fuzz-XXXXXX"}) {
            if (::mkdtemp(pattern.data()) != nullptr) {
                return pattern;
            }
        }
        std::abort();
    }();
    return folder;
}

void RemoveFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(Folder(), ignored);
}

Bytes Slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Spill(const std::string& path, const Bytes& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::int32_t TableBase(const Bytes& image)
{
    Bytes padded = image;
    padded.resize(image.size() + 16, 0);
    return CGdiTableHandler().LocateTable(padded.data(), static_cast<std::int32_t>(image.size()));
}

std::vector<char*> Argv(std::vector<std::string>& arguments)
{
    static char program[] = "varno";
    std::vector<char*> argv{program};
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    return argv;
}

void CheckRoundTrip(std::vector<std::string> arguments)
{
    std::vector<char*> argv = Argv(arguments);
    const int argc = static_cast<int>(argv.size());
    const int uncarriable = AfxFindUncarriableArgument(argc, argv.data());
    if (uncarriable == 0) {
        fuzz::Require(AfxSplitCommandLine(AfxBuildCommandLine(argc, argv.data()).c_str(), arguments.size()) == arguments,
                      "a carried argument list comes back exactly");
        return;
    }
    const std::string& refused = arguments[static_cast<std::size_t>(uncarriable - 1)];
    fuzz::Require(refused.empty() || refused.find_first_of("'\"") != std::string::npos,
                  "only an empty argument or one holding a quote is refused");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool ready = [] {
        AfxSetMessageBoxHandler([](const std::string&, UINT) {
            ++g_messages;
            return IDOK;
        });
        Folder();
        std::atexit(RemoveFolder);
        return true;
    }();
    (void)ready;

    std::size_t at = 0;
    std::vector<std::string> arguments(size > 0 ? data[at++] % 5 : 0);
    for (std::string& argument : arguments) {
        while (at < size && data[at] != 0) {
            argument += static_cast<char>(data[at++]);
        }
        ++at;
    }
    at = std::min(at, size);
    std::size_t targetLength = at + 2 <= size ? data[at] | data[at + 1] << 8 : 0;
    at = std::min(at + 2, size);
    targetLength = std::min(targetLength, size - at);
    const Bytes images[] = {Bytes(data + at, data + at + targetLength), Bytes(data + at + targetLength, data + size)};

    CheckRoundTrip(arguments);
    for (std::size_t i = 0; i < arguments.size() && i < 2; ++i) {
        if (arguments[i].empty() || arguments[i].find_first_of("'\"/") != std::string::npos) {
            return 0;
        }
        arguments[i] = Folder() + "/" + arguments[i];
    }
    if (arguments.empty()) {
        return 0;
    }
    std::vector<char*> argv = Argv(arguments);
    const int argc = static_cast<int>(argv.size());
    if (AfxFindUncarriableArgument(argc, argv.data()) != 0) {
        return 0;
    }
    const std::string names[] = {Folder() + "/t", Folder() + "/s"};
    Spill(names[0], images[0]);
    Spill(names[1], images[1]);

    g_messages = 0;
    const bool written = RunBatchTransplant(AfxBuildCommandLine(argc, argv.data()).c_str());

    // What must have happened, worked out from the arguments and the images.
    arguments.resize(3);
    auto image = [&](const std::string& path) -> const Bytes* {
        return path == names[0] ? &images[0] : path == names[1] ? &images[1] : nullptr;
    };
    const Bytes* target = image(arguments[0]);
    const Bytes* source = image(arguments[1]);
    const bool fits = arguments[0].size() <= 255 && arguments[1].size() <= 255 && arguments[2].size() <= 255;
    const std::int32_t targetBase = target != nullptr ? TableBase(*target) : 0;
    const std::int32_t sourceBase = source != nullptr ? TableBase(*source) : 0;
    fuzz::Require(written == (fits && targetBase != 0 && sourceBase != 0), "the transplant runs exactly when it can");

    Bytes expected[] = {images[0], images[1]};
    if (written) {
        Bytes& changed = expected[arguments[0] == names[0] ? 0 : 1];
        for (std::int32_t entry = 0x80; entry <= 0xBF; ++entry) {
            if (entry != 0xB7) {
                changed[static_cast<std::size_t>(targetBase + 2 * entry)] = (*source)[static_cast<std::size_t>(sourceBase + 2 * entry)];
                changed[static_cast<std::size_t>(targetBase + 2 * entry + 1)] = (*source)[static_cast<std::size_t>(sourceBase + 2 * entry + 1)];
            }
        }
    }
    fuzz::Require(Slurp(names[0]) == expected[0] && Slurp(names[1]) == expected[1],
                  "only the copied entries change, and only after a success");
    std::string options = arguments[2];
    for (char& ch : options) {
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    }
    const bool quiet = written && options.find("/q") != std::string::npos;
    fuzz::Require(g_messages == (quiet ? 0 : 1), "exactly one message, none after a quiet success");
    return 0;
}
