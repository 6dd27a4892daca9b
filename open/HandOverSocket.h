#pragma once
// The private local socket through which varno-open hands files to this user's
// editor on this display: where it lives, the checks that keep other users
// out, and the message on it. Paths travel as raw bytes, whatever their encoding.

#include <cstddef>
#include <string>
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

// The message: a tag, the count of paths, then each path with its length.
std::string EncodeHandOver(const std::vector<std::string>& paths);

enum class HandOverMessage { incomplete, complete, malformed };
// Reads a message from the bytes received so far. Complete fills paths; a
// message that is too long, holds an empty path or a zero byte is malformed.
HandOverMessage DecodeHandOver(const std::string& bytes, std::vector<std::string>& paths);
