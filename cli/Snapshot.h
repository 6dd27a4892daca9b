#pragma once
// What a document held before an edit: the image to restore, and the entries
// to tell what the edit changed.

#include "cli/CVarnoTableApp.h"
#include "cli/StringPrintf.h"
#include "cli/TableListing.h"
#include "document/CVarnoDoc.h"
#include "tables/CTableHandler.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

struct CVarnoTableApp::Snapshot {
    explicit Snapshot(const CVarnoDoc& document)
        : image(document.m_pHandler->m_data, document.m_pHandler->m_data + document.m_pHandler->m_length),
          listing(ListTable(document))
    {
        if (IsCodePageKind(document.m_nKind)) {
            for (int b = 0; b < 256; ++b) {
                lookups[b] = document.m_pHandler->Lookup(static_cast<std::uint8_t>(b));
            }
        }
    }

    bool Differs(const CVarnoDoc& document) const
    {
        const CTableHandler& handler = *document.m_pHandler;
        return !std::equal(image.begin(), image.end(), handler.m_data, handler.m_data + handler.m_length);
    }

    // One line for each entry or key the edit changed, "FILE: C0 0410 -> 0401".
    std::string Changes(const std::string& file, const CVarnoDoc& document) const
    {
        std::string out;
        if (IsCodePageKind(document.m_nKind)) {
            for (int b = 0; b < 256; ++b) {
                std::uint16_t now = document.m_pHandler->Lookup(static_cast<std::uint8_t>(b));
                if (now != lookups[b]) {
                    out += file + StringPrintf(": %02X %04X -> %04X\n", b, lookups[b], now);
                }
            }
        }
        TableListing after = ListTable(document);
        for (std::size_t k = 0; k < after.keys.size() && k < listing.keys.size(); ++k) {
            const KeyEntry& was = listing.keys[k];
            const KeyEntry& is = after.keys[k];
            std::string parts;
            if (was.low != is.low) {
                parts += StringPrintf(", low %02X -> %02X", was.low, is.low);
            }
            if (was.high != is.high) {
                parts += StringPrintf(", high %02X -> %02X", was.high, is.high);
            }
            if (was.capsLock != is.capsLock) {
                parts += StringPrintf(", caps lock %s -> %s", was.capsLock ? "ON" : "off", is.capsLock ? "ON" : "off");
            }
            if (!parts.empty()) {
                out += file + StringPrintf(": key %d", is.key) + parts.substr(1) + "\n";
            }
        }
        if (out.empty() && Differs(document)) {
            // A 9x file whose reverse table was rebuilt from an unchanged forward table.
            out = file + ": reverse table rebuilt\n";
        }
        return out;
    }

    void Restore(CVarnoDoc& document) const { std::copy(image.begin(), image.end(), document.m_pHandler->m_data); }

    std::vector<std::uint8_t> image;
    TableListing listing;
    std::uint16_t lookups[256] = {};
};
