#include "tools/SampleGenerator.h"

#include <QByteArray>
#include <QStringDecoder>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>

namespace samples {

namespace {
constexpr std::uint8_t kSignature[10] = {0x10, 0x04, 0x11, 0x04, 0x12, 0x04, 0x13, 0x04, 0x14, 0x04};

// What the OEM code pages show for the control bytes: the glyphs of the
// original PC character set for 0x01-0x1F and 0x7F.
constexpr std::uint16_t kControlGlyphs[32] = {0x0000, 0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022, 0x25D8, 0x25CB, 0x25D9,
                                              0x2642, 0x2640, 0x266A, 0x266B, 0x263C, 0x25BA, 0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7,
                                              0x25AC, 0x21A8, 0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC};
constexpr std::uint16_t kDeleteGlyph = 0x2302;

// Header of an NT file: size in words, code page, maximum character size,
// default character, Unicode default character, and the two translations.
constexpr std::uint16_t kNtHeaderWords = 13;

// Words from offset 28 to the reverse table: the forward table, the glyph
// table's size word, [the glyph table,] and two words that a single-byte code
// page leaves 0.
constexpr std::uint16_t kNtWordsBeforeReverse = 256 + 3;

constexpr std::uint16_t kNinexNoByte = 0x3F;
constexpr std::size_t kNinexMaxEntries = 288 + 16 * (255 + 255);

void PutEntries(Bytes& bytes, std::size_t offset, const std::vector<std::uint16_t>& entries)
{
    for (std::size_t k = 0; k < entries.size() && offset + 2 * k + 1 < bytes.size(); ++k) {
        PutWord(bytes, offset + 2 * k, entries[k]);
    }
}

void PutForwardTable(Bytes& bytes, std::size_t offset, const Mapping& forward)
{
    PutEntries(bytes, offset, std::vector<std::uint16_t>(forward.begin(), forward.end()));
}

} // namespace

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
    // Some decoders give the IBM PC code pages' control bytes other characters;
    // the tables of the systems we edit map every control byte to itself.
    for (std::uint16_t control = 0; control < 0x20; ++control) {
        mapping[control] = control;
    }
    mapping[0x7F] = 0x7F;
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

namespace {

constexpr std::size_t kGdiTableSize = 512;
constexpr std::size_t kNeHeaderAt = 0x40;
constexpr std::size_t kResourceTableAt = 0x80;
constexpr std::uint16_t kRcDataType = 0x800A;
constexpr std::uint16_t kIntegerId = 0x8000;
constexpr std::uint16_t kLeastShift = 4;

// Resource places are counted in units of 2^shift bytes, 16-bit numbers.
std::uint16_t ResourceShift(std::size_t size)
{
    std::uint16_t shift = kLeastShift;
    while ((size >> shift) > 0xFFFF) {
        ++shift;
    }
    return shift;
}

std::size_t ResourceEnd(std::size_t offset, std::uint16_t shift)
{
    const std::size_t unit = std::size_t{1} << shift;
    return (offset + kGdiTableSize + unit - 1) / unit * unit;
}

bool FitsBehindHeaders(const GdiTablesOptions& options, const std::vector<std::size_t>& offsets)
{
    std::size_t free = GdiHeaderEnd(options);
    for (std::size_t offset : offsets) {
        const std::size_t end = options.resourceTable ? ResourceEnd(offset, ResourceShift(options.size))
                                                      : offset + kGdiTableSize;
        if (offset < free || end > options.size) {
            return false;
        }
        free = offset + kGdiTableSize;
    }
    return offsets.size() == options.codePages.size();
}

// Each table in a slot of its own behind the headers, every other one at an odd offset.
std::vector<std::size_t> DrawnOffsets(const GdiTablesOptions& options)
{
    const std::size_t start = GdiHeaderEnd(options);
    const std::size_t room = options.size - std::min(options.size, start + (std::size_t{1} << ResourceShift(options.size)));
    const std::size_t slot = options.codePages.empty() ? 0 : room / options.codePages.size();
    if (slot < kGdiTableSize + 2) {
        return {};
    }
    std::mt19937 random(options.seed);
    std::uniform_int_distribution<std::size_t> draw(0, slot - kGdiTableSize - 2);
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < options.codePages.size(); ++i) {
        std::size_t offset = start + i * slot + draw(random);
        if (offset % 2 != (i + 1) % 2) {
            ++offset;
        }
        offsets.push_back(offset);
    }
    return offsets;
}

void PutResourceTable(Bytes& bytes, const GdiTablesOptions& options, const std::vector<std::size_t>& offsets)
{
    const std::uint16_t shift = ResourceShift(options.size);
    bytes[0] = 'M';
    bytes[1] = 'Z';
    PutWord(bytes, 0x3C, kNeHeaderAt);
    PutWord(bytes, 0x3E, 0);
    bytes[kNeHeaderAt] = 'N';
    bytes[kNeHeaderAt + 1] = 'E';
    PutWord(bytes, kNeHeaderAt + 0x24, kResourceTableAt - kNeHeaderAt);
    std::size_t at = kResourceTableAt;
    PutWord(bytes, at, shift);
    PutWord(bytes, at + 2, kRcDataType);
    PutWord(bytes, at + 4, static_cast<std::uint16_t>(offsets.size()));
    PutWord(bytes, at + 6, 0);
    PutWord(bytes, at + 8, 0);
    at += 10;
    for (std::size_t i = 0; i < offsets.size(); ++i, at += 12) {
        const std::size_t first = offsets[i] >> shift;
        const std::size_t end = ResourceEnd(offsets[i], shift) >> shift;
        PutWord(bytes, at, static_cast<std::uint16_t>(first));
        PutWord(bytes, at + 2, static_cast<std::uint16_t>(end - first));
        PutWord(bytes, at + 4, 0);
        PutWord(bytes, at + 6, static_cast<std::uint16_t>(kIntegerId | (options.firstResource + i)));
        PutWord(bytes, at + 8, 0);
        PutWord(bytes, at + 10, 0);
    }
    PutWord(bytes, at, 0);
}

} // namespace

std::size_t GdiHeaderEnd(const GdiTablesOptions& options)
{
    return options.resourceTable ? kResourceTableAt + 10 + 12 * options.codePages.size() + 2 : 0;
}

std::vector<std::size_t> GdiTableOffsets(const GdiTablesOptions& options)
{
    std::vector<std::size_t> offsets = options.offsets.empty() ? DrawnOffsets(options) : options.offsets;
    return FitsBehindHeaders(options, offsets) ? offsets : std::vector<std::size_t>{};
}

Bytes MakeGdiModuleWithTables(const GdiTablesOptions& options)
{
    const std::vector<std::size_t> offsets = GdiTableOffsets(options);
    if (offsets.empty()) {
        return {};
    }
    Bytes bytes = Filler(options.size, options.seed);
    for (std::size_t i = 0; i < offsets.size(); ++i) {
        PutForwardTable(bytes, offsets[i], CodePageMapping(options.codePages[i]));
    }
    if (options.resourceTable) {
        PutResourceTable(bytes, options, offsets);
    }
    return bytes;
}

Bytes MakeNtCodePageFile(const NtCodePageOptions& options)
{
    Mapping forward = CodePageMapping(options.codePage);
    std::size_t glyphBytes = options.glyphTable ? kNtGlyphTableSize : 0;
    std::size_t reverseOffset = kNtReverseOffset + glyphBytes;
    Bytes bytes(reverseOffset + kNtReverseTableSize, 0);

    Bytes reverse(kNtReverseTableSize, options.defaultByte);
    for (int byte = 255; byte >= 0; --byte) {
        reverse[forward[static_cast<std::size_t>(byte)]] = static_cast<std::uint8_t>(byte);
    }
    std::copy(reverse.begin(), reverse.end(), bytes.begin() + static_cast<std::ptrdiff_t>(reverseOffset));

    PutWord(bytes, 0, kNtHeaderWords);
    PutWord(bytes, 2, options.number);
    PutWord(bytes, 4, 1);
    PutWord(bytes, 6, options.defaultByte);
    PutWord(bytes, 8, forward[options.defaultByte]);
    PutWord(bytes, 10, reverse[forward[options.defaultByte]]);
    PutWord(bytes, 12, forward[options.defaultByte]);
    PutWord(bytes, 26, static_cast<std::uint16_t>(kNtWordsBeforeReverse + glyphBytes / 2));
    PutForwardTable(bytes, kNtForwardOffset, forward);
    std::size_t behindForward = kNtForwardOffset + 2 * 256;
    PutWord(bytes, behindForward, static_cast<std::uint16_t>(glyphBytes / 2));
    if (options.glyphTable) {
        Mapping glyphs = forward;
        std::copy(std::begin(kControlGlyphs), std::end(kControlGlyphs), glyphs.begin());
        glyphs[0x7F] = kDeleteGlyph;
        PutForwardTable(bytes, behindForward + 2, glyphs);
    }
    return bytes;
}

std::vector<std::uint16_t> ReferenceNinexTable(const Mapping& forward)
{
    std::vector<std::uint8_t> inverse(0x10000, kNinexNoByte);
    for (std::size_t byte = 0; byte < 256; ++byte) {
        inverse[forward[byte]] = static_cast<std::uint8_t>(byte);
    }
    std::vector<std::uint16_t> t(kNinexMaxEntries);
    std::fill(t.begin(), t.begin() + 256, 256);
    std::fill(t.begin() + 256, t.begin() + 272, 272);
    std::fill(t.begin() + 272, t.begin() + 288, kNinexNoByte);
    std::size_t next = 288;
    for (std::size_t v = 0; v < 0x10000; ++v) {
        std::uint8_t c = inverse[v];
        if (c == kNinexNoByte) {
            continue;
        }
        std::size_t h = v >> 8;
        std::size_t m = (v >> 4) & 0xF;
        std::size_t l = v & 0xF;
        if (t[h] == 256) {
            t[h] = static_cast<std::uint16_t>(next);
            std::fill(t.begin() + static_cast<std::ptrdiff_t>(next), t.begin() + static_cast<std::ptrdiff_t>(next + 16), 272);
            next += 16;
        }
        if (t[t[h] + m] == 272) {
            t[t[h] + m] = static_cast<std::uint16_t>(next);
            std::fill(t.begin() + static_cast<std::ptrdiff_t>(next), t.begin() + static_cast<std::ptrdiff_t>(next + 16), kNinexNoByte);
            next += 16;
        }
        t[t[t[h] + m] + l] = c;
    }
    t.resize(next);
    return t;
}

bool ReferenceNinexAssign(Bytes& image, std::uint8_t byte, std::uint16_t unicode)
{
    if (image.size() < kNinexReverseOffset) {
        return false;
    }
    Mapping forward;
    for (std::size_t b = 0; b < 256; ++b) {
        forward[b] = GetWord(image, kNinexForwardOffset + 2 * b);
    }
    forward[byte] = unicode;
    std::vector<std::uint16_t> table = ReferenceNinexTable(forward);
    if (kNinexReverseOffset + 2 * table.size() > image.size()) {
        return false;
    }
    PutWord(image, kNinexForwardOffset + 2 * std::size_t{byte}, unicode);
    PutEntries(image, kNinexReverseOffset, table);
    return true;
}

Bytes MakeNinexCodePageFile(const Mapping& forward, std::size_t size, std::uint32_t seed)
{
    Bytes bytes = Filler(size, seed);
    PutForwardTable(bytes, kNinexForwardOffset, forward);
    PutEntries(bytes, kNinexReverseOffset, ReferenceNinexTable(forward));
    return bytes;
}

Bytes MakeNinexCodePageFile(const NinexCodePageOptions& options)
{
    return MakeNinexCodePageFile(CodePageMapping(options.codePage), options.size, options.seed);
}

KeyboardKeyPlace KeyboardPlace(int key)
{
    static constexpr std::uint8_t kCapsBytes[14] = {77, 72, 72, 72, 72, 72, 72, 72, 73, 73, 73, 73, 89, 90};
    static constexpr std::uint8_t kCapsBits[14] = {0, 1, 2, 3, 4, 5, 6, 7, 0, 1, 2, 3, 3, 0};
    std::size_t low = key == 13 ? 351 : 326 + static_cast<std::size_t>(key);
    return {low, low + 49, kCapsBytes[key], static_cast<std::uint8_t>(1u << kCapsBits[key])};
}

Bytes MakeKeyboardLayout(const KeyboardLayoutOptions& options)
{
    Bytes bytes = Filler(options.size, options.seed);
    auto put = [&bytes](std::size_t offset, std::uint8_t value) {
        if (offset < bytes.size()) {
            bytes[offset] = value;
        }
    };
    for (int key = 0; key < 14; ++key) {
        const KeyboardKey& chosen = options.keys[static_cast<std::size_t>(key)];
        KeyboardKeyPlace place = KeyboardPlace(key);
        put(place.low, chosen.low);
        put(place.high, chosen.high);
        if (place.caps < bytes.size()) {
            std::uint8_t others = static_cast<std::uint8_t>(bytes[place.caps] & ~place.mask);
            bytes[place.caps] = static_cast<std::uint8_t>(others | (chosen.capsLock ? place.mask : 0));
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
