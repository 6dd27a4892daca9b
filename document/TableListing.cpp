#include "document/TableListing.h"

#include "document/CVarnoDoc.h"
#include "document/StringPrintf.h"
#include "platform/CodePageDecoding.h"
#include "tables/CGdiTableHandler.h"
#include "tables/CKeyboardHandler.h"
#include "tables/CTableHandler.h"

#include <QChar>
#include <QString>

#include <cstdio>

namespace {

// A name as the editor draws it with ampersand prefix processing: "&&" is one
// "&", a single "&" only underlines the next character.
std::string ShownName(const char* stored)
{
    std::string shown;
    for (const char* p = stored; *p != '\0'; ++p) {
        if (*p == '&') {
            if (p[1] != '&') {
                continue;
            }
            ++p;
        }
        shown += *p;
    }
    return shown;
}

// Whether the UTF-8 text is one C0 or C1 control character or DEL.
bool IsControl(const std::string& text)
{
    if (text.size() == 1) {
        auto c = static_cast<unsigned char>(text[0]);
        return c < 0x20 || c == 0x7F;
    }
    // U+0080-U+009F: C2 80 to C2 9F.
    return text.size() == 2 && static_cast<unsigned char>(text[0]) == 0xC2
        && static_cast<unsigned char>(text[1]) <= 0x9F;
}

std::string Printable(const std::string& text) { return IsControl(text) ? "\xEF\xBF\xBD" : text; }

void AppendJsonString(std::string& out, const std::string& text)
{
    out += '"';
    for (char ch : text) {
        auto c = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            out += '\\';
            out += ch;
        } else if (c < 0x20 || c == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", c);
            out += escaped;
        } else {
            out += ch;
        }
    }
    out += '"';
}

} // namespace

std::string ShownText(const std::string& text)
{
    std::string shown;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        // The length of a well-formed UTF-8 sequence from here, 0 for none.
        std::size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                                             : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
        std::uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0;
            if ((next & 0xC0) != 0x80) {
                length = 0;
                break;
            }
            code = code << 6 | (next & 0x3F);
        }
        const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
        const bool invalid = (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF;
        const bool control = code < 0x20 || (code >= 0x7F && code <= 0x9F);
        if (length == 0 || overlong || invalid || control) {
            shown += StringPrintf("\\x%02X", lead);
            ++i;
        } else {
            shown.append(text, i, length);
            i += length;
        }
    }
    return shown;
}

ByteCharacters DecodeByteCharacters(const char* codePage)
{
    const std::array<QString, 256> characters = AfxDecodeCodePage(codePage);
    ByteCharacters chars;
    for (std::size_t b = 0; b < chars.size(); ++b) {
        chars[b] = characters[b].toStdString();
    }
    return chars;
}

std::string ValueCharacter(std::uint16_t unicode)
{
    switch (QChar(unicode).category()) {
    case QChar::Other_Control:
    case QChar::Other_NotAssigned:
    case QChar::Other_Surrogate: return kNoCharacterMark;
    default: return QString(QChar(unicode)).toStdString();
    }
}

std::string JsonString(const std::string& text)
{
    std::string out;
    AppendJsonString(out, text);
    return out;
}

bool HasReverseTable(int kind) { return kind == CVarnoDoc::kindNtCodePage || kind == CVarnoDoc::kind9xCodePage; }

const char* KindDescription(int kind)
{
    switch (kind) {
    case CVarnoDoc::kindNtCodePage: return "NT code-page file";
    case CVarnoDoc::kind9xCodePage: return "9x code-page file";
    case CVarnoDoc::kindKeyboard: return "keyboard layout";
    case CVarnoDoc::kindGdiModule: return "GDI module";
    default: return "undefined format";
    }
}

const char* KindKey(int kind)
{
    switch (kind) {
    case CVarnoDoc::kindNtCodePage: return "nt";
    case CVarnoDoc::kind9xCodePage: return "9x";
    case CVarnoDoc::kindKeyboard: return "keyboard";
    case CVarnoDoc::kindGdiModule: return "gdi";
    default: return "undefined";
    }
}

std::string KindWithArticle(int kind)
{
    return std::string(kind == CVarnoDoc::kindNtCodePage ? "an " : "a ") + KindDescription(kind);
}

std::string KindOrigin(int kind, bool chosen)
{
    return std::string(chosen ? "--kind" : "the name") + " makes this " + KindWithArticle(kind);
}

TableListing ListTable(const CVarnoDoc& document)
{
    TableListing listing;
    listing.kind = document.m_nKind;
    CTableHandler* handler = document.m_pHandler;
    if (handler == nullptr) {
        return listing;
    }
    if (const auto* gdi = dynamic_cast<const CGdiTableHandler*>(handler); gdi != nullptr) {
        listing.tableNumber = TableNumber(gdi->SelectedTable());
        listing.table = StringPrintf("table %zu of %zu, ", listing.tableNumber, gdi->Tables().size())
            + CodePageMatchText(gdi->TableMatch(gdi->SelectedTable()));
    }
    if (CVarnoDoc::IsCodePageKind(listing.kind)) {
        const bool hasBack = HasReverseTable(listing.kind);
        for (int b = 0x80; b <= 0xFF; ++b) {
            auto byte = static_cast<std::uint8_t>(b);
            std::uint16_t unicode = handler->Lookup(byte);
            listing.entries.push_back({byte, unicode, hasBack, hasBack ? handler->ReverseLookup(unicode) : byte});
        }
    } else if (listing.kind == CVarnoDoc::kindKeyboard) {
        const auto* keyboard = static_cast<const CKeyboardHandler*>(handler);
        for (int key = 0; key < CKeyboardHandler::kKeyCount; ++key) {
            char name[CKeyboardHandler::kKeyNameSize];
            keyboard->GetKeyName(key, name);
            listing.keys.push_back(
                {key, ShownName(name), keyboard->GetLow(key), keyboard->GetHigh(key), keyboard->GetCapsLock(key)});
        }
    }
    return listing;
}

std::vector<CharEntry> InconsistentEntries(const TableListing& listing)
{
    std::vector<CharEntry> found;
    for (const CharEntry& entry : listing.entries) {
        if (!entry.IsConsistent()) {
            found.push_back(entry);
        }
    }
    return found;
}

std::string FormatText(const std::string& file, const TableListing& listing, const ByteCharacters& chars,
                       bool byByte)
{
    std::string out = file + ": " + KindDescription(listing.kind) + (listing.table.empty() ? "" : ", " + listing.table) + "\n";
    for (const CharEntry& entry : listing.entries) {
        const std::string character = byByte ? Printable(chars[entry.byte]) : ValueCharacter(entry.unicode);
        out += StringPrintf("%02X  ", entry.byte) + character + StringPrintf("  %04X", entry.unicode);
        if (entry.hasBack) {
            out += StringPrintf("  %02X  %s", entry.back, entry.IsConsistent() ? "consistent" : "does not map back");
        }
        out += '\n';
    }
    for (const KeyEntry& key : listing.keys) {
        out += StringPrintf("%2d  %-4s  low ", key.key, key.name.c_str()) + Printable(chars[key.low])
            + StringPrintf("(%02X)  high ", key.low) + Printable(chars[key.high])
            + StringPrintf("(%02X)  caps lock %s\n", key.high, key.capsLock ? "ON" : "off");
    }
    return out;
}

std::string FormatJson(const std::string& file, const TableListing& listing, const ByteCharacters& chars)
{
    std::string out = "{\"file\":";
    AppendJsonString(out, file);
    out += StringPrintf(",\"kind\":%d,\"kindName\":\"%s\"", listing.kind, KindKey(listing.kind));
    if (listing.tableNumber != 0) {
        out += StringPrintf(",\"table\":%zu", listing.tableNumber);
    }
    if (CVarnoDoc::IsCodePageKind(listing.kind)) {
        out += ",\"entries\":[";
        for (const CharEntry& entry : listing.entries) {
            out += StringPrintf("%s{\"byte\":%d,\"char\":", entry.byte == 0x80 ? "" : ",", entry.byte);
            AppendJsonString(out, ValueCharacter(entry.unicode));
            out += ",\"byteChar\":";
            AppendJsonString(out, chars[entry.byte]);
            out += StringPrintf(",\"unicode\":%d", entry.unicode);
            if (entry.hasBack) {
                out += StringPrintf(",\"back\":%d,\"consistent\":%s", entry.back, entry.IsConsistent() ? "true" : "false");
            }
            out += '}';
        }
        out += ']';
    }
    if (listing.kind == CVarnoDoc::kindKeyboard) {
        out += ",\"keys\":[";
        for (const KeyEntry& key : listing.keys) {
            out += StringPrintf("%s{\"key\":%d,\"name\":", key.key == 0 ? "" : ",", key.key);
            AppendJsonString(out, key.name);
            out += StringPrintf(",\"low\":%d,\"lowChar\":", key.low);
            AppendJsonString(out, chars[key.low]);
            out += StringPrintf(",\"high\":%d,\"highChar\":", key.high);
            AppendJsonString(out, chars[key.high]);
            out += StringPrintf(",\"capsLock\":%s}", key.capsLock ? "true" : "false");
        }
        out += ']';
    }
    out += "}\n";
    return out;
}

std::string FormatMapping(const CVarnoDoc& document)
{
    std::string out;
    if (document.m_pHandler == nullptr || !CVarnoDoc::IsCodePageKind(document.m_nKind)) {
        return out;
    }
    for (int b = 0; b <= 0xFF; ++b) {
        out += StringPrintf("0x%02X\t0x%04X\n", b, document.m_pHandler->Lookup(static_cast<std::uint8_t>(b)));
    }
    return out;
}

std::string TableText(const CVarnoDoc& document, const std::string& file, const ByteCharacters& chars)
{
    if (document.m_nKind == CVarnoDoc::kindKeyboard) {
        return FormatText(ShownText(file), ListTable(document), chars, false);
    }
    return FormatMapping(document);
}
