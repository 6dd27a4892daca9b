#include "view/TableSearch.h"

#include "document/CVarnoDoc.h"
#include "document/HexArgument.h"
#include "platform/CodePageDecoding.h"
#include "tables/CKeyboardHandler.h"
#include "view/CharacterNames.h"

#include <QList>

#include <algorithm>

namespace {
constexpr unsigned kLastCodePoint = 0x10FFFF;

std::optional<unsigned> HexValue(const QString& text) { return ParseHexArgument(text.toStdString(), kLastCodePoint); }

// The one character of the text, or nothing when it holds more or less than one.
std::optional<char32_t> SingleCharacter(const QString& text)
{
    const QList<uint> characters = text.toUcs4();
    if (characters.size() != 1) {
        return std::nullopt;
    }
    return characters.front();
}

std::optional<SearchQuery> ParseKeyByte(const QString& text, const char* codePage, QString& refusal)
{
    SearchQuery query{SearchQuery::Kind::keyByte, 0, text};
    if (SingleCharacter(text)) {
        const std::array<QString, 256> characters = AfxDecodeCodePage(codePage);
        const auto found = std::find(characters.begin(), characters.end(), text);
        if (found != characters.end()) {
            query.value = static_cast<std::uint16_t>(found - characters.begin());
            return query;
        }
    } else if (const std::optional<unsigned> byte = ParseHexArgument(text.toStdString(), 0xFF)) {
        query.value = static_cast<std::uint16_t>(*byte);
        return query;
    }
    refusal = QStringLiteral("A layout's keys hold bytes: type one in hexadecimal (00 to FF) or a character of ")
        + QString::fromLatin1(codePage);
    return std::nullopt;
}

std::optional<SearchQuery> ParseCharacterSearch(const QString& text, QString& refusal)
{
    std::optional<unsigned> value;
    if (const std::optional<char32_t> character = SingleCharacter(text)) {
        value = *character;
    } else if (text.startsWith(QStringLiteral("U+"), Qt::CaseInsensitive)) {
        value = HexValue(text.mid(2));
        if (!value) {
            refusal = QStringLiteral("U+ comes before a value in hexadecimal, such as U+20AC");
            return std::nullopt;
        }
    } else {
        value = HexValue(text);
    }
    if (!value) {
        return SearchQuery{SearchQuery::Kind::name, 0, text};
    }
    if (*value > 0xFFFF) {
        refusal = QStringLiteral("U+") + QString::number(*value, 16).toUpper()
            + QStringLiteral(" is above FFFF, where no table entry reaches");
        return std::nullopt;
    }
    return SearchQuery{SearchQuery::Kind::value, static_cast<std::uint16_t>(*value), text};
}

bool Holds(CVarnoDoc& doc, int entry, const SearchQuery& query)
{
    if (query.kind == SearchQuery::Kind::keyByte) {
        const auto* keys = static_cast<const CKeyboardHandler*>(doc.m_pHandler);
        return keys->GetLow(entry) == query.value || keys->GetHigh(entry) == query.value;
    }
    const std::uint16_t unicode = doc.m_pHandler->Lookup(static_cast<std::uint8_t>(entry));
    if (query.kind == SearchQuery::Kind::value) {
        return unicode == query.value;
    }
    return UnicodeName(unicode).contains(query.text, Qt::CaseInsensitive);
}

// What the query seeks, after "match for".
QString Sought(const SearchQuery& query, const char* codePage)
{
    switch (query.kind) {
    case SearchQuery::Kind::value: return DescribeUnicode(query.value);
    case SearchQuery::Kind::name: return QLatin1Char('"') + query.text + QStringLiteral("\" in the names");
    case SearchQuery::Kind::keyByte: break;
    }
    return QStringLiteral("byte ") + ByteWithGlyph(static_cast<std::uint8_t>(query.value), codePage);
}
} // namespace

std::optional<SearchQuery> ParseSearch(const QString& text, bool keys, const char* codePage, QString& refusal)
{
    const QString typed = text.trimmed();
    if (typed.isEmpty()) {
        refusal = keys ? QStringLiteral("Type a byte in hexadecimal or a character")
                       : QStringLiteral("Type a Unicode value, a character or part of a name");
        return std::nullopt;
    }
    return keys ? ParseKeyByte(typed, codePage, refusal) : ParseCharacterSearch(typed, refusal);
}

std::vector<int> FindEntries(CVarnoDoc& doc, const SearchQuery& query)
{
    std::vector<int> found;
    const bool keys = doc.m_nKind == CVarnoDoc::kindKeyboard;
    if (doc.m_pHandler == nullptr || keys != (query.kind == SearchQuery::Kind::keyByte)
        || (!keys && !CVarnoDoc::IsCodePageKind(doc.m_nKind))) {
        return found;
    }
    const int first = keys ? 0 : 0x80;
    const int last = keys ? CKeyboardHandler::kKeyCount - 1 : 0xFF;
    for (int entry = first; entry <= last; ++entry) {
        if (Holds(doc, entry, query)) {
            found.push_back(entry);
        }
    }
    return found;
}

QString DescribeMatches(const SearchQuery& query, std::size_t count, const char* codePage)
{
    const QString sought = Sought(query, codePage);
    if (count == 0) {
        return QStringLiteral("No match for ") + sought;
    }
    return QStringLiteral("%1 match%2 for ").arg(count).arg(count == 1 ? QString() : QStringLiteral("es")) + sought;
}

QString DescribeMatch(const SearchQuery& query, std::size_t index, std::size_t count, const char* codePage)
{
    return QStringLiteral("Match %1 of %2 for ").arg(index + 1).arg(count) + Sought(query, codePage);
}

int NextMatch(const std::vector<int>& matches, int entry, int direction)
{
    if (matches.empty()) {
        return -1;
    }
    if (direction > 0) {
        const auto after = std::upper_bound(matches.begin(), matches.end(), entry);
        return after != matches.end() ? *after : matches.front();
    }
    const auto atOrAfter = std::lower_bound(matches.begin(), matches.end(), entry);
    return atOrAfter != matches.begin() ? *std::prev(atOrAfter) : matches.back();
}
