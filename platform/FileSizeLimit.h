#pragma once
// Every file is read whole into one block whose byte count is a signed 32-bit
// number, so a file of 2 GiB or more is refused before anything is read.

#include "platform/WinTypes.h"

constexpr bool AfxIsFileTooLarge(ULONGLONG length) { return length > 0x7FFFFFFF; }
