#pragma once
// The shared character-edit scenarios: generated files of every kind open together, one
// confirmed change in one of them, and the bytes that each file must hold after a save,
// worked out by the plain rules of each format, independently of the table handlers.

#include "tools/SampleGenerator.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace edit_scenario {

using samples::Bytes;

enum class FileKind { nt, ninex, gdi, keyboard };

// Where the GDI module's table lies; odd on purpose, words are not aligned.
constexpr std::size_t kGdiTableBase = 1001;

struct ScenarioFile {
    std::string name; // decides the document's kind when opened
    FileKind kind;
    std::size_t reverseOffset; // NT files: where the flat reverse table starts
    Bytes before;
    Bytes after;          // what a save after the change writes
    bool changed = false; // whether a byte changed, and so the document is marked modified
    bool reference = false; // opened for reference only: it takes no change
};

struct Scenario {
    std::string description;
    std::vector<ScenarioFile> files; // in opening order
    std::size_t clicked;             // the file whose grid was clicked
    std::uint8_t b;                  // the clicked byte
    std::uint8_t n;                  // the byte field as the dialog gave it back
    std::uint16_t u;                 // the Unicode field as the dialog gave it back
    // Read from the clicked file before anything changes.
    std::uint8_t p;  // the byte that held u, 0x3F for none
    std::uint16_t o; // b's value
    // The file that cannot take the change, or -1; when set, every file stays as it was.
    int refused = -1;
    // The files are as the scenario before this one left them, still open in the editor.
    bool continues = false;
};

inline std::size_t ForwardOffset(const ScenarioFile& file)
{
    return file.kind == FileKind::nt ? samples::kNtForwardOffset
         : file.kind == FileKind::ninex ? samples::kNinexForwardOffset : kGdiTableBase;
}

inline std::uint16_t LookupIn(const ScenarioFile& file, std::uint8_t byte)
{
    return samples::GetWord(file.before, ForwardOffset(file) + 2 * std::size_t{byte});
}

// The byte that the file's reverse mapping gives for the value; 0x3F for none.
inline std::uint8_t ReverseLookupIn(const ScenarioFile& file, std::uint16_t unicode)
{
    const Bytes& bytes = file.before;
    switch (file.kind) {
    case FileKind::nt: return bytes[file.reverseOffset + unicode];
    case FileKind::ninex: {
        auto entry = [&](std::size_t k) { return samples::GetWord(bytes, samples::kNinexReverseOffset + 2 * k); };
        std::size_t second = entry(unicode >> 8);
        std::size_t third = entry(second + ((unicode >> 4) & 0xF));
        return static_cast<std::uint8_t>(entry(third + (unicode & 0xF)) & 0xFF);
    }
    case FileKind::gdi: // no reverse table: the lowest byte holding the value
        for (int byte = 0; byte < 256; ++byte) {
            if (LookupIn(file, static_cast<std::uint8_t>(byte)) == unicode) {
                return static_cast<std::uint8_t>(byte);
            }
        }
        return 0x3F;
    case FileKind::keyboard: break;
    }
    return 0;
}

// One table entry set: the forward word and, where the format has one, the
// reverse table. False when a 9x file has no room for the rebuilt table.
inline bool AssignIn(ScenarioFile& file, std::uint8_t byte, std::uint16_t unicode)
{
    switch (file.kind) {
    case FileKind::nt:
        samples::PutWord(file.after, samples::kNtForwardOffset + 2 * std::size_t{byte}, unicode);
        file.after[file.reverseOffset + unicode] = byte;
        break;
    case FileKind::ninex: return samples::ReferenceNinexAssign(file.after, byte, unicode);
    case FileKind::gdi: samples::PutWord(file.after, kGdiTableBase + 2 * std::size_t{byte}, unicode); break;
    case FileKind::keyboard: break;
    }
    return true;
}

// On every key, the first of high == a, low == a, high == b, low == b takes the other value.
inline void SwapOnKeys(ScenarioFile& file, std::uint8_t a, std::uint8_t b)
{
    for (int key = 0; key < 14; ++key) {
        const samples::KeyboardKeyPlace place = samples::KeyboardPlace(key);
        std::uint8_t& high = file.after[place.high];
        std::uint8_t& low = file.after[place.low];
        if (high == a) {
            high = b;
        } else if (low == a) {
            low = b;
        } else if (high == b) {
            high = a;
        } else if (low == b) {
            low = a;
        }
    }
}

inline ScenarioFile NtFile(const std::string& name, const std::string& codePage, std::uint16_t number, bool oem)
{
    std::size_t reverse = samples::kNtReverseOffset + (oem ? samples::kNtGlyphTableSize : 0);
    return {name, FileKind::nt, reverse, samples::MakeNtCodePageFile({codePage, number, oem, 0x3F}), {}};
}

// A 9x file; tight leaves no byte behind its reverse table, so any change that
// needs another block cannot be rebuilt inside it.
inline ScenarioFile NinexFile(const std::string& name, bool tight)
{
    samples::NinexCodePageOptions options;
    if (tight) {
        const samples::Mapping mapping = samples::CodePageMapping(options.codePage);
        options.size = samples::kNinexReverseOffset + 2 * samples::ReferenceNinexTable(mapping).size();
    }
    return {name, FileKind::ninex, 0, samples::MakeNinexCodePageFile(options), {}};
}

inline ScenarioFile GdiFile(const std::string& name)
{
    return {name, FileKind::gdi, 0, samples::MakeGdiModule({.tableBase = kGdiTableBase, .seed = 7}), {}};
}

// A layout whose keys hold the Cyrillic bytes of the scenarios in every
// position that the swap rules tell apart.
inline ScenarioFile KeyboardFile(const std::string& name)
{
    samples::KeyboardLayoutOptions options;
    options.keys[2] = {0xE1, '@', false};
    options.keys[3] = {'3', 0xE0, true};
    options.keys[4] = {0xE0, 0xE1, false}; // both match: only the high changes
    options.keys[5] = {0xE0, '%', false};
    options.keys[6] = {'6', 0xA8, false};
    options.keys[7] = {0xC5, '&', false};
    options.keys[9] = {0xE0, 0xE0, true};
    return {name, FileKind::keyboard, 0, samples::MakeKeyboardLayout(options), {}};
}

// The tables of one windows-1251 system that disagree at three bytes, as
// "byte: NT 9x GDI": E0: 0061 0430 0061, E1: 0431 0062 0431, F0: 0058 0440 0440.
inline std::vector<ScenarioFile> DisagreeingSystem()
{
    std::vector<ScenarioFile> files{NtFile("c_1251.nls", "windows-1251", 1251, false), NinexFile("cp_1251.nls", false),
                                    GdiFile("gdi.exe")};
    const struct {
        std::size_t file;
        std::uint8_t byte;
        std::uint16_t value;
    } changes[] = {{0, 0xE0, 0x0061}, {0, 0xF0, 0x0058}, {1, 0xE1, 0x0062}, {2, 0xE0, 0x0061}};
    for (const auto& change : changes) {
        ScenarioFile& file = files[change.file];
        samples::PutWord(file.before, ForwardOffset(file) + 2 * std::size_t{change.byte}, change.value);
    }
    return files;
}

// Indexes into OpenFiles().
enum : std::size_t { kNt1251, kNt866, kNinex, kGdi, kKeyboard, kNt1252 };

// The files of the indexes in references are opened for reference only.
inline std::vector<ScenarioFile> OpenFiles(bool tightNinex, std::initializer_list<std::size_t> references = {})
{
    std::vector<ScenarioFile> files{NtFile("c_1251.nls", "windows-1251", 1251, false),
                                    NtFile("c_866.nls", "IBM866", 866, true),
                                    NinexFile("cp_1251.nls", tightNinex),
                                    GdiFile("gdi.exe"),
                                    KeyboardFile("us.kbd"),
                                    NtFile("c_1252.nls", "windows-1252", 1252, false)};
    // A best-fit entry, as real files carry them: U+0308 maps back to 0xA8, which holds U+00A8.
    files[kNt1252].before[files[kNt1252].reverseOffset + 0x0308] = 0xA8;
    for (std::size_t index : references) {
        files[index].reference = true;
    }
    return files;
}

// The scenario's files as they were before the change, no document changed.
inline Scenario Unchanged(Scenario scenario)
{
    for (ScenarioFile& file : scenario.files) {
        file.after = file.before;
        file.changed = false;
    }
    return scenario;
}

// Works out p, o and every file's bytes after the change.
inline Scenario MakeScenario(std::string description, std::vector<ScenarioFile> files, std::size_t clicked,
                             std::uint8_t b, std::uint8_t n, std::uint16_t u)
{
    Scenario s{std::move(description), std::move(files), clicked, b, n, u, 0, 0};
    // A reverse entry names the previous holder only when that byte's own value is u.
    const std::uint8_t named = ReverseLookupIn(s.files[clicked], u);
    s.p = LookupIn(s.files[clicked], named) == u ? named : 0x3F;
    s.o = LookupIn(s.files[clicked], b);
    for (ScenarioFile& file : s.files) {
        file.after = file.before;
        file.changed = false;
        if (file.reference) {
            continue;
        }
        if (file.kind == FileKind::keyboard) {
            if (s.p != 0 && s.p != 0x3F) {
                SwapOnKeys(file, s.p, b);
            }
            continue;
        }
        // A 9x file whose rebuilt table would leave the file, or a GDI module
        // whose entries 0xC0-0xC4 would lose the signature, refuses the whole change.
        bool fits = AssignIn(file, n, u);
        if (n == b && s.p != 0x3F) {
            fits = AssignIn(file, s.p, s.o) && fits;
            fits = AssignIn(file, n, u) && fits;
        }
        for (std::size_t k = 0; file.kind == FileKind::gdi && k < 5; ++k) {
            fits = fits && samples::GetWord(file.after, kGdiTableBase + 2 * (0xC0 + k)) == 0x0410 + k;
        }
        if (!fits && s.refused < 0) {
            s.refused = static_cast<int>(&file - s.files.data());
        }
    }
    for (ScenarioFile& file : s.files) {
        file.changed = file.after != file.before;
    }
    return s.refused >= 0 ? Unchanged(std::move(s)) : s;
}

// A change made to the files as the earlier scenario left them.
inline Scenario Then(const Scenario& earlier, std::string description, std::size_t clicked, std::uint8_t b,
                     std::uint8_t n, std::uint16_t u)
{
    std::vector<ScenarioFile> files = earlier.files;
    for (ScenarioFile& file : files) {
        file.before = file.after;
    }
    Scenario s = MakeScenario(std::move(description), std::move(files), clicked, b, n, u);
    s.continues = true;
    return s;
}

inline std::vector<Scenario> CharEditScenarios()
{
    // 0x80 of the 1252 file holds U+20AC, and no byte U+0402: it takes U+0402 in every table, and the
    // 1252 file's reverse entry of U+20AC still names 0x80.
    const Scenario valueNoByteHolds =
        MakeScenario("value no byte holds, clicked in the 1252 file", OpenFiles(false), kNt1252, 0x80, 0x80, 0x0402);
    return {
        // U+0431 is held by 0xE1 in the clicked table: 0xE0 and 0xE1 change places everywhere,
        // also in the 866 file, which takes the clicked table's values.
        MakeScenario("exchange, clicked in the NT file", OpenFiles(false), kNt1251, 0xE0, 0xE0, 0x0431),
        valueNoByteHolds,
        // Then 0x88 takes U+20AC: the stale entry names no holder, so 0x80 keeps U+0402 and keyboards stay.
        Then(valueNoByteHolds, "value whose reverse entry is stale", kNt1252, 0x88, 0x88, 0x20AC),
        // The best-fit entry of U+0308 names 0xA8, which holds another value: no exchange, no swap.
        MakeScenario("value with a best-fit reverse entry", OpenFiles(false), kNt1252, 0xE0, 0xE0, 0x0308),
        // Reference files take no change: no assignment, no swap on the keys, nothing marked.
        MakeScenario("reference files kept out", OpenFiles(false, {kNt866, kKeyboard}), kNt1251, 0xE0,
                     0xE0, 0x0431),
        // The byte field changed: code pages only get U+0401 at 0xF0; keyboards still exchange p and b.
        MakeScenario("byte field changed, clicked in the GDI module", OpenFiles(false), kGdi, 0xE0, 0xF0, 0x0401),
        // No byte holds U+0100: one Assign per table, keyboards untouched and unmarked.
        MakeScenario("value no byte holds, clicked in the 9x file", OpenFiles(false), kNinex, 0xE0, 0xE0, 0x0100),
        // OK without edits in the 866 file: p == b, every table gets 866's value at 0xC5; the 866 file
        // and the keyboard, which swaps 0xC5 with itself, change no byte and are not marked.
        MakeScenario("OK without edits, clicked in the OEM file", OpenFiles(false), kNt866, 0xC5, 0xC5,
                     LookupIn(OpenFiles(false)[kNt866], 0xC5)),
        // U+0000 is held by byte 0: the tables exchange, keyboards take 0 as no byte.
        MakeScenario("value held by byte 0", OpenFiles(false), kNt1251, 0xE0, 0xE0, 0x0000),
        // The 9x file has no room for the blocks of U+0100: nothing changes anywhere.
        MakeScenario("refused by a full 9x file", OpenFiles(true), kNt1251, 0xE0, 0xE0, 0x0100),
        // Exchanging 0xC0 and 0xC1 would leave no table that the GDI module's search finds.
        MakeScenario("refused by the GDI module's signature", OpenFiles(false), kNt1251, 0xC0, 0xC0, 0x0411),
        // 0xD0 and 0xF1 exchange in the tables; no key holds either, so the keyboard is not marked.
        MakeScenario("exchange of bytes no key holds", OpenFiles(false), kNt1251, 0xD0, 0xD0, 0x0441),
    };
}

} // namespace edit_scenario
