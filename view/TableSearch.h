#pragma once
// What Edit > Find looks for in a table, and which cells hold it. Needs no window. The typed text is
//   a character:             "€" (one character, a digit or a letter too)
//   a Unicode value:         "20AC", "U+20AC", "0x20AC" (more than one hexadecimal digit, or after U+)
//   part of a Unicode name:  "euro", "with grave", in any case; a value without a name by its
//                            kind, as the status bar names it ("control character")
// and it finds the cells 80-FF of a code-page table. On a keyboard layout it looks for a byte on
// the keys, low or high: "B9", "0xB9", or a character of the display code page ("№").

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

class CVarnoDoc;

struct SearchQuery {
    enum class Kind { value, name, keyByte };
    Kind kind = Kind::value;
    // The Unicode value, or the byte on the keys.
    std::uint16_t value = 0;
    // The text as typed, less the blanks around it.
    QString text;
};

// The query that the text makes for a keyboard layout (keys) or a code-page table; nothing, with
// the reason in refusal, for a text that makes none. codePage is the display code page.
std::optional<SearchQuery> ParseSearch(const QString& text, bool keys, const char* codePage, QString& refusal);

// The entries that hold what the query seeks, in reading order: bytes of the grid, or key numbers.
std::vector<int> FindEntries(CVarnoDoc& doc, const SearchQuery& query);

// "3 matches for U+20AC € EURO SIGN", "No match for "euro" in the names", "1 match for byte B9 (№)".
QString DescribeMatches(const SearchQuery& query, std::size_t count, const char* codePage);
// "Match 2 of 3 for U+20AC € EURO SIGN": index counts from 0.
QString DescribeMatch(const SearchQuery& query, std::size_t index, std::size_t count, const char* codePage);

// The first match after the entry (direction +1) or before it (-1), wrapping round; -1 without matches.
int NextMatch(const std::vector<int>& matches, int entry, int direction);
