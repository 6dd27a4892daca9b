#pragma once
// What QSaveFile does, on a file name given as the bytes that the system uses:
// Qt's names are text, and cannot carry a name that is not valid UTF-8, as
// names from old Windows disks often are (windows-1251, cp866). The content
// goes to a temporary file beside the target, which replaces the target on
// commit; a symbolic link keeps pointing at the replaced file.

#include <QString>

#include <string>

class SaveFile {
public:
    explicit SaveFile(std::string fileName);
    // Discards an open write that was not committed.
    ~SaveFile();
    SaveFile(const SaveFile&) = delete;
    SaveFile& operator=(const SaveFile&) = delete;

    // Creates the temporary file with the target's permissions, or those of a
    // new file. False, with errorString, when it cannot be had.
    bool open();
    // Writes all of size bytes and returns size, or fewer on an error (errno tells it).
    qint64 write(const char* data, qint64 size);
    // The temporary file's descriptor; -1 when not open.
    int handle() const { return m_fd; }
    // Discards the content: the next commit fails and the target stays as it was.
    void cancelWriting();
    // Replaces the target with the content; on failure the target stays as it was.
    bool commit();
    QString errorString() const { return QString::fromLocal8Bit(m_error.c_str()); }

private:
    void Discard();

    std::string m_target;
    std::string m_temporary;
    int m_fd = -1;
    bool m_cancelled = false;
    std::string m_error;
};
