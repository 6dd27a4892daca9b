// guide-roff GUIDE PAGE OUT: writes the manual page PAGE to OUT with its line
// `.\" guide` replaced by GUIDE, the editor's guide that the Help window shows,
// turned from the little Markdown that it is written in into roff: "##" headings,
// paragraphs, "- " lists, ``` blocks, *italic*, **bold**, `bold` and \-escapes.
// The "#" title is the Help window's only.

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

// A character of the text as roff prints it: a dash as a minus, a backslash escaped, and
// whatever is not ASCII as its code point (the sequence is well-formed UTF-8: we wrote it).
std::string RoffCharacter(const std::string& text, std::size_t& i)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
        ++i;
        return lead == '-' ? "\\-" : lead == '\\' ? "\\e" : std::string(1, static_cast<char>(lead));
    }
    const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    unsigned code = lead & (0xFF >> (length + 1));
    for (int k = 1; k < length && i + k < text.size(); ++k) {
        code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    }
    i += length;
    char escaped[16];
    std::snprintf(escaped, sizeof escaped, "\\[u%04X]", code);
    return escaped;
}

// One line of text with its inline marks as font changes; a mark ends where the line does.
std::string RoffText(const std::string& line)
{
    std::string out;
    bool code = false;
    bool bold = false;
    bool italic = false;
    const auto toggle = [&out](bool& on, const char* font) {
        out += on ? "\\fR" : font;
        on = !on;
    };
    for (std::size_t i = 0; i < line.size();) {
        if (line[i] == '`') {
            toggle(code, "\\fB");
            ++i;
        } else if (code) {
            out += RoffCharacter(line, i);
        } else if (line[i] == '\\' && i + 1 < line.size()) {
            ++i;
            out += RoffCharacter(line, i);
        } else if (line.compare(i, 2, "**") == 0) {
            toggle(bold, "\\fB");
            i += 2;
        } else if (line[i] == '*') {
            toggle(italic, "\\fI");
            ++i;
        } else {
            out += RoffCharacter(line, i);
        }
    }
    // A line may not start a request.
    return out.starts_with('.') || out.starts_with('\'') ? "\\&" + out : out;
}

void WriteGuide(std::istream& guide, std::ostream& out)
{
    std::string line;
    bool block = false;
    bool paragraphOpen = false; // a blank line ends it: the next text starts a new one
    bool afterHeading = false;
    while (std::getline(guide, line)) {
        if (line.starts_with("```")) {
            out << (block ? ".fi\n.RE\n" : ".PP\n.RS\n.nf\n");
            block = !block;
            afterHeading = false;
        } else if (block) {
            out << RoffText(line) << "\n";
        } else if (line.starts_with("## ")) {
            out << ".SS " << RoffText(line.substr(3)) << "\n";
            afterHeading = true;
        } else if (line.starts_with("# ")) {
            continue;
        } else if (line.empty()) {
            paragraphOpen = false;
        } else if (line.starts_with("- ")) {
            out << ".IP \\[bu] 2\n" << RoffText(line.substr(2)) << "\n";
            paragraphOpen = true;
            afterHeading = false;
        } else {
            if (!paragraphOpen && !afterHeading) {
                out << ".PP\n";
            }
            out << RoffText(line.substr(line.find_first_not_of(' '))) << "\n";
            paragraphOpen = true;
            afterHeading = false;
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "usage: guide-roff GUIDE PAGE OUT\n";
        return 2;
    }
    std::ifstream guide(argv[1]);
    std::ifstream page(argv[2]);
    if (!guide.is_open() || !page.is_open()) {
        std::cerr << "guide-roff: cannot read " << argv[1] << " or " << argv[2] << "\n";
        return 1;
    }
    std::ostringstream out;
    bool placed = false;
    std::string line;
    while (std::getline(page, line)) {
        if (line == ".\\\" guide") {
            WriteGuide(guide, out);
            placed = true;
        } else {
            out << line << "\n";
        }
    }
    if (!placed) {
        std::cerr << "guide-roff: no line .\\\" guide in " << argv[2] << "\n";
        return 1;
    }
    std::ofstream(argv[3]) << out.str();
    return 0;
}
