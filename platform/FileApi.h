#pragma once
// The file calls of the window system API over POSIX file descriptors.
// Sharing modes cannot be enforced on POSIX and are accepted as given. Only
// existing regular files are opened: folders, FIFOs and devices are refused.

#include "platform/WinTypes.h"

#include <cerrno>
#include <cstddef>
#include <sys/types.h>

// CreateFileA's access, sharing, disposition and attributes, and SetFilePointer's method.
enum : DWORD { GENERIC_READ = 0x80000000, GENERIC_WRITE = 0x40000000 };
enum : DWORD { FILE_SHARE_READ = 0x00000001, FILE_SHARE_WRITE = 0x00000002 };
enum : DWORD { OPEN_EXISTING = 3, FILE_ATTRIBUTE_NORMAL = 0x00000080, FILE_BEGIN = 0 };
// What GetFileSize and SetFilePointer answer on failure.
enum : DWORD { INVALID_FILE_SIZE = 0xFFFFFFFF, INVALID_SET_FILE_POINTER = 0xFFFFFFFF };

struct SECURITY_ATTRIBUTES;
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;
struct OVERLAPPED;
using LPOVERLAPPED = OVERLAPPED*;

// Opens an existing regular file: OPEN_EXISTING is the only disposition there is, and
// GENERIC_WRITE comes with read access, as no caller writes a file that it does not read.
HANDLE CreateFileA(LPCSTR fileName, DWORD desiredAccess, DWORD shareMode, LPSECURITY_ATTRIBUTES security,
                   DWORD creationDisposition, DWORD flagsAndAttributes, HANDLE templateFile);
// Low 32 bits of the size; the high 32 bits go to *sizeHigh.
// INVALID_FILE_SIZE with GetLastError() != 0 on failure.
DWORD GetFileSize(HANDLE file, LPDWORD sizeHigh);
// Reads until count bytes have arrived or the file ends; FALSE on a read error.
// The count transferred always goes to *bytesRead (*bytesWritten below).
BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD count, LPDWORD bytesRead, LPOVERLAPPED overlapped);
// Writes all count bytes or fails; FALSE on any error, with *bytesWritten telling how far it got.
BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD count, LPDWORD bytesWritten, LPOVERLAPPED overlapped);
// Moves to an offset from the start below 2 GiB, all that a file of less than 2 GiB has:
// FILE_BEGIN is the only method there is, and distanceHigh is not read.
DWORD SetFilePointer(HANDLE file, LONG distance, PLONG distanceHigh, DWORD moveMethod);
// Has the file's written bytes reach the disk; FALSE when they could not.
BOOL FlushFileBuffers(HANDLE file);
BOOL CloseHandle(HANDLE object);
// The error of the last failed call on this thread, as an errno value; 0 after a success.
DWORD GetLastError();

// 0 for a regular file; folders (EISDIR), links (ELOOP), FIFOs and devices (EINVAL) hold no file's bytes.
int AfxNotRegularError(const struct stat& status);

// The opening that CreateFileA and CFile share, of a name in the folder (AT_FDCWD: the
// current one): folders (EISDIR), FIFOs and devices (EINVAL) and, with O_NOFOLLOW, symbolic
// links (ELOOP) are refused by name before the open and again once open, as the name may
// change in between. Never waits for a FIFO's other end; with waitForLease, waits for
// another program's lease on the file. The descriptor, with rStatus, or -1 with errno.
int AfxOpenRegularFile(int folder, LPCSTR fileName, int flags, struct stat& rStatus, bool waitForLease);

// Moves count bytes through step(done, left), a read or a write that answers like read(2),
// until all have moved or a step moves none; a step that a signal interrupted is made
// again. How many bytes moved; errno is 0 when all moved or a read met the end of the
// file, else it tells why the rest did not move.
template <typename Step>
std::size_t AfxTransfer(std::size_t count, Step step)
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
