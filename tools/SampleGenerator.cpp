#include "tools/SampleGenerator.h"

#include <QByteArray>
#include <QStringDecoder>

#include <fstream>
#include <iterator>
#include <random>

namespace samples {

namespace {
constexpr std::uint8_t kSignature[10] = {0x10, 0x04, 0x11, 0x04, 0x12, 0x04, 0x13, 0x04, 0x14, 0x04};
}

Mapping CodePageMapping(const std::string& codePage, bool* known)
{
    Mapping mapping{};
    QStringDecoder decoder(codePage.c_str());
    if (known != nullptr) {
        *known = decoder.isValid();
    }
    if (!decoder.isValid()) {
        return mapping;
    }
    for (int byte = 0; byte < 256; ++byte) {
        char ch = static_cast<char>(byte);
        decoder.resetState();
        QString text = decoder.decode(QByteArrayView(&ch, 1));
        mapping[static_cast<std::size_t>(byte)] = text.isEmpty() ? 0xFFFD : text.at(0).unicode();
    }
    return mapping;
}

Bytes Filler(std::size_t size, std::uint32_t seed)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> value(1, 255);
    Bytes bytes(size);
    for (auto& byte : bytes) {
        byte = static_cast<std::uint8_t>(value(random));
    }
    return bytes;
}

void PutWord(Bytes& bytes, std::size_t offset, std::uint16_t value)
{
    bytes.at(offset) = static_cast<std::uint8_t>(value & 0xFF);
    bytes.at(offset + 1) = static_cast<std::uint8_t>(value >> 8);
}

std::uint16_t GetWord(const Bytes& bytes, std::size_t offset)
{
    return static_cast<std::uint16_t>(bytes.at(offset) | (bytes.at(offset + 1) << 8));
}

Bytes MakeGdiModule(const GdiModuleOptions& options)
{
    Bytes bytes = Filler(options.size, options.seed);
    Mapping mapping = CodePageMapping(options.codePage);
    for (std::size_t byte = 0; byte < 256; ++byte) {
        std::size_t offset = options.tableBase + 2 * byte;
        if (offset + 1 < bytes.size()) {
            PutWord(bytes, offset, mapping[byte]);
        }
    }
    for (std::size_t stray : options.strayCopies) {
        for (std::size_t i = 0; i < sizeof kSignature && stray + i < bytes.size(); ++i) {
            bytes[stray + i] = kSignature[i];
        }
    }
    return bytes;
}

bool WriteFile(const std::string& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool ReadFile(const std::string& path, Bytes& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

} // namespace samples
