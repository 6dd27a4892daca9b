// Leaks inside system libraries that the GUI toolkit uses, not ours: the font configuration library keeps
// caches that it never frees. The leak checker of a sanitizer build asks every test program, and the
// editor that tests start, for this list.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
