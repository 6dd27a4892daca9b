#pragma once
// printf-style formatting into a std::string, for the short lines and messages that
// varno-table and the editor show.

#include <cstdio>
#include <string>

template <typename... Args>
std::string StringPrintf(const char* format, Args... args)
{
    char text[256];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}
