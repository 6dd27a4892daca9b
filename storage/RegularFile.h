#pragma once
// Opening a regular file and moving its bytes, over POSIX alone.

#include <cerrno>
#include <cstddef>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>

// 0 for a regular file; folders (EISDIR), links (ELOOP), FIFOs and devices (EINVAL) hold no file's bytes.
int NotRegularError(const struct stat& status);

// Opens a name in the folder (AT_FDCWD: the current one): folders (EISDIR), FIFOs and
// devices (EINVAL) and, with O_NOFOLLOW, symbolic links (ELOOP) are refused by name before
// the open and again once open, as the name may change in between. Never waits for a
// FIFO's other end; with waitForLease, waits for another program's lease on the file.
// The descriptor, with rStatus, or -1 with errno.
int OpenRegularFile(int folder, const char* fileName, int flags, struct stat& rStatus, bool waitForLease);

// Appends the rest of the open file to content; false with errno on a read error.
bool ReadAll(int fd, std::string& content);

// Moves count bytes through step(done, left), a read or a write that answers like read(2),
// until all have moved or a step moves none; a step that a signal interrupted is made
// again. How many bytes moved; errno is 0 when all moved or a read met the end of the
// file, else it tells why the rest did not move.
template <typename Step>
std::size_t TransferAll(std::size_t count, Step step)
{
    std::size_t done = 0;
    errno = 0;
    while (done < count) {
        errno = 0;
        const ssize_t moved = step(done, count - done);
        if (moved > 0) {
            done += static_cast<std::size_t>(moved);
        } else if (moved == 0 || errno != EINTR) {
            break;
        }
    }
    return done;
}
