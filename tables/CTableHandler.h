#pragma once
// The table handler interface and the base handler. A handler owns one
// whole-file image (m_length file bytes plus 256 bytes of slack), one modified
// flag per table entry and the image offsets of the forward and reverse tables.
// The base handler is what files of undefined format get: it keeps the image
// and answers every table operation with nothing.

#include <cstdint>
#include <span>
#include <vector>

// One change of a code-page table: the byte gets the Unicode value.
struct TableAssignment {
    std::uint8_t byte;
    std::uint16_t unicode;
};

class CTableHandler {
public:
    // Bytes behind the file's bytes in every image; never read from or written to the file.
    static constexpr std::int32_t kSlack = 256;

    CTableHandler();
    virtual ~CTableHandler();
    CTableHandler(const CTableHandler&) = delete;
    CTableHandler& operator=(const CTableHandler&) = delete;

    virtual std::uint8_t ReverseLookup(std::uint16_t unicode);
    virtual std::uint16_t Lookup(std::uint8_t byte);
    virtual void Assign(std::uint8_t byte, std::uint16_t unicode);

    // Whether the image is long enough for every table this kind keeps in it.
    // A document refuses a file for which this is false.
    virtual bool IsImageLongEnough() const;

    // Whether calling Assign for each element in order would succeed with every
    // write inside the file's bytes. Callers ask every affected handler before
    // the first Assign, so that a change reaches all files or none.
    virtual bool CanAssign(const std::vector<TableAssignment>& sequence) const;
    // Whether AssignAll would take the sequence, so that a take into several
    // files can ask each before changing any. Here: CanAssign.
    virtual bool CanAssignAll(const std::vector<TableAssignment>& sequence) const;

    // Gives each byte of the sequence its value as one change of the whole
    // table, as a reference table is applied; false, changing nothing, when the
    // file cannot take it. Here: CanAssign, then Assign for each element in order.
    virtual bool AssignAll(const std::vector<TableAssignment>& sequence);

    // Replaces the image with a cleared one of length + kSlack bytes. Returns
    // false, leaving no image and m_length 0, when length is negative or the
    // memory cannot be had. Flags and offsets stay as they are.
    bool AllocateData(std::int32_t length);

    // Writes the bytes over the image from offset on, as Undo puts back what an edit changed;
    // false, writing nothing, when any of them would fall outside the image (slack included).
    bool PutBack(std::int64_t offset, std::span<const std::uint8_t> bytes);

    std::uint8_t m_modified[256];
    std::int32_t m_reverseOffset = 0;
    std::int32_t m_forwardOffset = 0;
    std::int32_t m_length = 0;
    std::uint8_t* m_data = nullptr;

protected:
    // Bytes of the allocation, slack included; 0 without an image.
    std::int64_t AllocatedSize() const;
    bool IsInsideImage(std::int64_t offset, std::int64_t size) const;
    // Inside the file's bytes: what a save writes back.
    bool IsInsideFile(std::int64_t offset, std::int64_t size) const;

    // Bounds-checked access to the image: reads outside it answer 0, writes
    // outside it are dropped and answer false.
    std::uint8_t ReadByte(std::int64_t offset) const;
    bool WriteByte(std::int64_t offset, std::uint8_t value);
    std::uint16_t ReadWord(std::int64_t offset) const;
    bool WriteWord(std::int64_t offset, std::uint16_t value);

    // The forward-table lookup shared by the code-page kinds: the little-endian
    // word at m_forwardOffset + 2 * byte.
    std::uint16_t LookupForward(std::uint8_t byte) const;
};
