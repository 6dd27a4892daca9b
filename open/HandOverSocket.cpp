#include "open/HandOverSocket.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr char kTag[] = {'V', 'O', 'P', '1'};
constexpr std::size_t kTagSize = sizeof kTag;
constexpr std::size_t kLengthSize = 4;

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// The display's name as a file-name part: WAYLAND_DISPLAY may be a path, DISPLAY holds a colon.
std::string DisplayPart()
{
    std::string display = Environment("WAYLAND_DISPLAY");
    if (display.empty()) {
        display = Environment("DISPLAY");
    }
    display = display.substr(0, 64);
    constexpr std::string_view kPlain = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.-";
    std::replace_if(display.begin(), display.end(), [&](char ch) { return kPlain.find(ch) == kPlain.npos; }, '_');
    return display;
}

bool OwnedByUsAlone(const struct stat& info) { return info.st_uid == ::geteuid() && (info.st_mode & 077) == 0; }

bool IsPrivateFolder(const std::string& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && OwnedByUsAlone(info);
}

void AppendLength(std::string& out, std::size_t length)
{
    for (int shift = 24; shift >= 0; shift -= 8) {
        out += static_cast<char>((length >> shift) & 0xFF);
    }
}

std::size_t ReadLength(const std::string& bytes)
{
    std::size_t length = 0;
    for (std::size_t i = 0; i < kLengthSize; ++i) {
        length = (length << 8) | static_cast<unsigned char>(bytes[i]);
    }
    return length;
}

} // namespace

HandOverAddress FindHandOverAddress()
{
    const std::string uid = std::to_string(::geteuid());
    std::string folder = Environment("XDG_RUNTIME_DIR");
    // A relative one would name another folder for every current folder.
    if (!folder.empty() && folder.front() != '/') {
        return {{}, "XDG_RUNTIME_DIR is not an absolute path: " + folder};
    }
    if (folder.empty()) {
        folder = "/tmp/varno-" + uid;
        if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
            return {{}, "cannot create " + folder + ": " + std::strerror(errno)};
        }
    }
    if (!IsPrivateFolder(folder)) {
        return {{}, folder + " is not a folder of this user alone"};
    }
    const std::string display = DisplayPart();
    std::string path = folder + "/varno-" + uid;
    if (!display.empty()) {
        path += "-" + display;
    }
    constexpr std::size_t kLongestSocketPath = sizeof(sockaddr_un::sun_path) - 1;
    if (path.size() > kLongestSocketPath) {
        return {{}, "the socket path " + path + " is longer than the system allows (" + std::to_string(kLongestSocketPath)
                        + " bytes)"};
    }
    return {path, {}};
}

bool IsPrivateSocket(const std::string& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode) && OwnedByUsAlone(info);
}

int ConnectLocalSocket(const std::string& path, int timeoutMs)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) {
        return -1;
    }
    path.copy(address.sun_path, path.size());
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const timeval limit{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    if (fd >= 0
        && (::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit) != 0
            || ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit) != 0
            || ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)) {
        ::close(fd);
        fd = -1;
    }
    return fd;
}

bool SomeoneListens(const std::string& path, int timeoutMs)
{
    const int fd = ConnectLocalSocket(path, timeoutMs);
    if (fd >= 0) {
        ::close(fd);
    }
    return fd >= 0;
}

bool PeerIsThisUser(int socketDescriptor)
{
    struct ucred credentials {};
    socklen_t size = sizeof credentials;
    return ::getsockopt(socketDescriptor, SOL_SOCKET, SO_PEERCRED, &credentials, &size) == 0
        && size == sizeof credentials && credentials.uid == ::geteuid();
}

std::string EncodeHandOver(const std::vector<std::string>& paths)
{
    std::string message(kTag, kTagSize);
    AppendLength(message, paths.size());
    for (const std::string& path : paths) {
        AppendLength(message, path.size());
        message += path;
    }
    return message;
}

HandOverMessage HandOverReader::Take(std::string_view bytes)
{
    while (m_state == HandOverMessage::incomplete && !bytes.empty()) {
        const std::size_t taken = std::min(m_fieldSize - m_bytes.size(), bytes.size());
        m_bytes.append(bytes.substr(0, taken));
        bytes.remove_prefix(taken);
        if (m_bytes.size() == m_fieldSize) {
            m_state = FieldRead();
            m_bytes.clear();
        }
    }
    if (!bytes.empty()) {
        m_state = HandOverMessage::malformed;
    }
    return m_state;
}

HandOverMessage HandOverReader::FieldRead()
{
    switch (m_field) {
    case Field::tag:
        if (m_bytes != std::string_view(kTag, kTagSize)) {
            return HandOverMessage::malformed;
        }
        m_field = Field::count;
        m_fieldSize = kLengthSize;
        return HandOverMessage::incomplete;
    case Field::count: m_pathsLeft = ReadLength(m_bytes); return ExpectPathOrEnd();
    case Field::length:
        m_fieldSize = ReadLength(m_bytes);
        if (m_fieldSize == 0 || m_fieldSize > kMaxHandOverPath) {
            return HandOverMessage::malformed;
        }
        m_field = Field::path;
        return HandOverMessage::incomplete;
    case Field::path:
        if (m_bytes.find('\0') != std::string::npos) {
            return HandOverMessage::malformed;
        }
        m_paths.push_back(m_bytes);
        --m_pathsLeft;
        return ExpectPathOrEnd();
    }
    return HandOverMessage::malformed;
}

HandOverMessage HandOverReader::ExpectPathOrEnd()
{
    if (m_pathsLeft == 0) {
        return HandOverMessage::complete;
    }
    m_field = Field::length;
    m_fieldSize = kLengthSize;
    return HandOverMessage::incomplete;
}
