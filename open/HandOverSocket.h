#pragma once
// The private local socket through which varno-open hands files to this user's
// editor on this display: where it lives, the checks that keep other users
// out, and the message on it. Paths travel as raw bytes, whatever their encoding.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct HandOverAddress {
    // The socket's path; empty when it has no private folder or cannot work.
    std::string path;
    // Why there is none, as one line.
    std::string error;
};

// $XDG_RUNTIME_DIR/varno-<uid>-<display>, or the same name in /tmp/varno-<uid>
// (created when missing). The folder must be given as an absolute path, belong to
// this user and let nobody else in, and the path must fit a socket address.
HandOverAddress FindHandOverAddress();

// Whether path is a socket that belongs to this user and that no one else may open.
bool IsPrivateSocket(const std::string& path);

// A connection to the local socket at path, or -1 when nobody accepts one. The
// connect, and every read and write on the connection, give up after timeoutMs.
int ConnectLocalSocket(const std::string& path, int timeoutMs);

// Whether anything accepts a connection at the local socket path within timeoutMs.
bool SomeoneListens(const std::string& path, int timeoutMs);

// Whether the process at the other end of the connected socket runs as this user.
bool PeerIsThisUser(int socketDescriptor);

// Set in the environment of an editor that varno-open starts: such an editor ends
// at once, quietly, when another editor already takes the files.
constexpr char kStartedByVarnoOpen[] = "VARNO_STARTED_BY_OPEN";

// The editor's one-byte answer once it holds the files.
constexpr char kHandOverAccepted = 'K';

// The longest path that a message carries.
constexpr std::size_t kMaxHandOverPath = 4096;

// The message: a tag, the count of paths, then each path with its length. It has
// no length limit: any number of paths fits.
std::string EncodeHandOver(const std::vector<std::string>& paths);

enum class HandOverMessage { incomplete, complete, malformed };

// Reads a message as its bytes arrive. Beside the paths read it holds no more than
// one path's bytes, however long the message is.
class HandOverReader {
public:
    // Takes the bytes received next. A wrong tag, an empty path, a path too long
    // or holding a zero byte, and any byte after the end make the message malformed.
    HandOverMessage Take(std::string_view bytes);
    // The paths read so far: all of them once the message is complete.
    const std::vector<std::string>& Paths() const { return m_paths; }

private:
    enum class Field { tag, count, length, path };
    // What the field just read tells; the next field to read is set.
    HandOverMessage FieldRead();
    HandOverMessage ExpectPathOrEnd();

    Field m_field = Field::tag;
    std::size_t m_fieldSize = 4; // the tag's
    std::string m_bytes; // of the field being read
    std::size_t m_pathsLeft = 0;
    HandOverMessage m_state = HandOverMessage::incomplete;
    std::vector<std::string> m_paths;
};
