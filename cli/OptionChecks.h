#pragma once
// What the commands' options have in common: hexadecimal values, checked as
// the command line is parsed, and the example that ends a command's help.

#include <CLI/CLI.hpp>

#include <cstdint>
#include <optional>
#include <string>

// A CLI11 check that the text is a hexadecimal number of at least minValue and at most maxValue.
CLI::Validator HexValidator(unsigned maxValue, unsigned minValue = 0);
// A CLI11 check, after HexValidator(0xFFFF), that a table entry may take the value; it adds nothing to the help.
CLI::Validator TableValueValidator();

// The byte of a text that HexValidator(0xFF) has passed.
std::uint8_t ParsedByte(const std::string& text);
// The same, or none for an option not given.
std::optional<std::uint8_t> ParsedOptionalByte(const std::string& text);

// The end of a command's help: one command line to start from.
std::string Example(const std::string& commandLine);

// The names of the built-in code pages that --codepage takes, for the help: "windows-1250, windows-1251, ...".
std::string CodePageNames();
