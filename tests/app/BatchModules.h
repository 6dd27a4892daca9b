#pragma once
// GDI modules for the batch tests, and what a transplant must make of them.

#include "tests/TestSupport.h"

// A module whose entries 0x80-0xFF hold values of its own, so that every copied
// entry can be told from the target's; 0xC0-0xC4 keep the table's signature.
inline samples::Bytes ModuleWithMarkedEntries(std::size_t size, std::size_t base, std::uint16_t mark,
                                              std::uint32_t seed)
{
    samples::Bytes bytes = samples::MakeGdiModule({.size = size, .tableBase = base, .seed = seed});
    for (std::size_t byte = 0x80; byte < 0x100; ++byte) {
        if (byte < 0xC0 || byte > 0xC4) {
            samples::PutWord(bytes, base + 2 * byte, static_cast<std::uint16_t>(mark + byte));
        }
    }
    return bytes;
}

// What the target must hold after a transplant: its own bytes, with the
// entries of 0x80-0xB6 and 0xB8-0xBF taken from the source.
inline samples::Bytes Transplanted(samples::Bytes target, std::size_t targetBase, const samples::Bytes& source,
                                   std::size_t sourceBase)
{
    for (std::size_t byte = 0x80; byte <= 0xBF; ++byte) {
        if (byte != 0xB7) {
            samples::PutWord(target, targetBase + 2 * byte, samples::GetWord(source, sourceBase + 2 * byte));
        }
    }
    return target;
}

