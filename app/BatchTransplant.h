#pragma once
// The batch transplant: the entries of the bytes 0x80-0xB6 and 0xB8-0xBF go
// from the code-page table of a source GDI module into the table of a target
// module, in place. Every failure is reported in one message box and leaves
// the target as it was.

#include "platform/WinTypes.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

// Runs the transplant that a batch command line (target, source, options)
// asks for. Reports the outcome in one message box, none after a success when
// the options hold "/q" in any case. Returns true when the target was written.
// A line of one word names no source: it is refused with the usage, and
// nothing is opened.
bool RunBatchTransplant(LPCSTR commandLine);

// The transplant in two steps, so that the target is compared with what was
// read just before it is written.
class BatchTransplant {
public:
    // The bytes that a transplant may change: the entries of 0x80-0xBF.
    static constexpr std::int32_t kEntriesOffset = 2 * 0x80;
    static constexpr std::int32_t kEntriesLength = 2 * 0x40;

    BatchTransplant(std::string target, std::string source);
    ~BatchTransplant();
    BatchTransplant(const BatchTransplant&) = delete;
    BatchTransplant& operator=(const BatchTransplant&) = delete;

    // Opens and reads both modules, finds their tables and works out the
    // target's new entries. Reports and returns false on the first failure.
    bool Read();
    // Checks that the target on disk still holds what Read found (its size, the
    // entries and the table's signature behind them), writes the new entries at
    // their place and has them reach the disk. On a failure the bytes written
    // are put back. Reports and returns false on any failure.
    bool Write();

private:
    class Module;
    std::unique_ptr<Module> m_target;
    std::unique_ptr<Module> m_source;
    std::int32_t m_targetBase = 0;
    std::array<std::uint8_t, kEntriesLength> m_entries{};
};
