#pragma once
// The toolkit's style with its standard icons made once: every document window's
// system menu asks for four of them, and the style reads and decodes each from
// several images every time, which slowed the opening of many files.

// Makes it the application's style, unless it is already.
void KeepStandardIcons();
