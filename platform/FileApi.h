#pragma once
// The file calls of the window system API over POSIX file descriptors.
// Sharing modes cannot be enforced on POSIX and are accepted as given. Only
// existing regular files are opened: folders, FIFOs and devices are refused.

#include "platform/WinTypes.h"

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
