#pragma once
// What tells whether a file on disk is still the one that was read or written:
// the file itself (device and inode), its size, its modification time and a
// digest of its bytes. Another program's change alters at least one of them.
// And where its name led, a symbolic link followed: to which name in which
// folder. A link put in the name's place, or changed, alters that.

#include <array>
#include <cstdint>
#include <string>
#include <sys/stat.h>

class FolderEntry;

struct DiskState {
    std::uint64_t size = 0;
    // Device, inode and modification time (seconds, nanoseconds).
    std::array<std::int64_t, 4> identity{};
    std::string digest; // of the bytes (ContentDigest); empty when nothing is known
    struct Place {
        std::array<std::int64_t, 2> folder{}; // device and inode
        std::string name;
        bool operator==(const Place&) const = default;
    } place;

    bool operator==(const DiskState&) const = default;
};

// The state of the entry's file with this status and digest; false with errno.
bool GetDiskState(const FolderEntry& entry, const struct stat& status, const std::string& digest, DiskState& rState);

// Whether the entry's name no longer leads where it led in the state.
bool NameLeadsElsewhere(const DiskState& expected, const FolderEntry& entry);

// Whether the entry's file, with the status and bytes that a save's last look
// gives (SaveCheck), is no longer in the expected state.
bool IsChanged(const DiskState& expected, const FolderEntry& entry, const struct stat& status, const std::string& bytes);

// Whether the file that the path names is no longer in the expected state. One
// that has gone or cannot be read counts as unchanged: the save that follows tells why.
bool IsChangedOnDisk(const std::string& path, const DiskState& expected);
