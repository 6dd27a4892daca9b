#pragma once
// The two ways a file gets its new content. Names are the bytes that the
// system uses: Qt's names are text, and cannot carry a name that is not valid
// UTF-8, as names from old Windows disks often are (windows-1251, cp866).
//
// SaveFile writes the content to a temporary file beside the target, which
// takes the target's place on Commit; a symbolic link keeps pointing at the
// replaced file. AfxWriteInPlace writes over the file itself, for a file that
// must stay the same file (one with several hard links).

#include <string>
#include <sys/stat.h>

class SaveFile {
public:
    explicit SaveFile(std::string fileName);
    // Discards a write that was not committed.
    ~SaveFile();
    SaveFile(const SaveFile&) = delete;
    SaveFile& operator=(const SaveFile&) = delete;

    // Creates the temporary file with the target's permissions, or those of a
    // new file. False, with GetError, when it cannot be had.
    bool Open();
    // Writes all of size bytes; false, with GetError, when they could not be.
    bool Write(const char* data, std::size_t size);
    // Gives the new file the old one's owner, group and mode, has its bytes
    // reach the disk and puts it in the target's place; rWritten receives its
    // status. On failure the target stays as it was and the temporary file goes.
    bool Commit(struct stat& rWritten);
    // Removes the temporary file; the target stays as it was.
    void Discard();
    const std::string& GetError() const { return m_error; }

private:
    bool Fail();

    std::string m_target;
    std::string m_temporary;
    int m_fd = -1;
    off_t m_written = 0;
    std::string m_error;
};

// fd is open for reading and writing on the file that holds oldContent. Only
// the range where the two differ is written, then synced; when that fails,
// what was written is put back. False, with the system's reason, when the new
// content could not be made to stick.
bool AfxWriteInPlace(int fd, const std::string& oldContent, const std::string& newContent, std::string& error);
