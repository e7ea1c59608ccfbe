#include "app/SessionBusProbe.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

struct UnixAddress
{
    std::string path;
    bool abstract = false;
};

std::string Unescaped(std::string_view escaped)
{
    std::string value;
    for (std::size_t i = 0; i < escaped.size(); ++i) {
        if (escaped[i] == '%' && i + 2 < escaped.size()) {
            value += static_cast<char>(std::strtol(std::string(escaped.substr(i + 1, 2)).c_str(), nullptr, 16));
            i += 2;
        } else {
            value += escaped[i];
        }
    }
    return value;
}

// The unix-socket entries of a bus address ("unix:path=...;unix:abstract=...,guid=..."), in the
// order the bus library tries them. Values are written with %XX escapes.
std::vector<UnixAddress> UnixEntries(std::string_view address)
{
    std::vector<UnixAddress> entries;
    while (!address.empty()) {
        const auto end = address.find(';');
        std::string_view entry = address.substr(0, end);
        address = end == std::string_view::npos ? std::string_view() : address.substr(end + 1);
        if (entry.substr(0, 5) != "unix:") {
            continue;
        }
        entry.remove_prefix(5);
        while (!entry.empty()) {
            const auto comma = entry.find(',');
            const std::string_view pair = entry.substr(0, comma);
            entry = comma == std::string_view::npos ? std::string_view() : entry.substr(comma + 1);
            const bool abstract = pair.substr(0, 9) == "abstract=";
            if (!abstract && pair.substr(0, 5) != "path=") {
                continue;
            }
            entries.push_back({Unescaped(pair.substr(abstract ? 9 : 5)), abstract});
        }
    }
    return entries;
}

std::string SessionAddress()
{
    if (const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS"); address != nullptr) {
        return address;
    }
    // The bus library's own default when the variable is not set.
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && *runtime != '\0') {
        return std::string("unix:path=") + runtime + "/bus";
    }
    return {};
}

int RemainingMs(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

enum class Reply
{
    Answered, // a line came back, or the socket closed: Qt's attempt will not hang
    Refused,  // no connection: the next entry is tried, as the bus library does
    Silent
};

Reply Ask(const UnixAddress& entry, Clock::time_point deadline)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::size_t offset = entry.abstract ? 1 : 0;
    if (entry.path.empty() || entry.path.size() + offset >= sizeof(address.sun_path)) {
        return Reply::Refused;
    }
    std::memcpy(address.sun_path + offset, entry.path.data(), entry.path.size());
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + entry.path.size() +
                                               (entry.abstract ? 0 : 1));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        return Reply::Answered;
    }
    Reply reply = Reply::Silent;
    pollfd waiting{fd, POLLOUT, 0};
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), length) != 0) {
        if (errno != EINPROGRESS && errno != EAGAIN) {
            ::close(fd);
            return Reply::Refused;
        }
        if (::poll(&waiting, 1, RemainingMs(deadline)) <= 0) {
            ::close(fd);
            return Reply::Silent;
        }
        int error = 0;
        socklen_t size = sizeof(error);
        if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0 || error != 0) {
            ::close(fd);
            return Reply::Refused;
        }
    }
    // The handshake's opening: the credentials byte, then an authentication request for this
    // user. Any answer at all (even a rejection) shows the bus is alive.
    std::string hello(1, '\0');
    hello += "AUTH EXTERNAL ";
    const std::string uid = std::to_string(::getuid());
    for (const char c : uid) {
        char hex[3];
        std::snprintf(hex, sizeof(hex), "%02x", static_cast<unsigned char>(c));
        hello += hex;
    }
    hello += "\r\n";
    if (::send(fd, hello.data(), hello.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(hello.size())) {
        ::close(fd);
        return Reply::Answered;
    }
    waiting = {fd, POLLIN, 0};
    while (reply == Reply::Silent) {
        const int ready = ::poll(&waiting, 1, RemainingMs(deadline));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            break;
        }
        char line[64];
        const ssize_t got = ::recv(fd, line, sizeof(line), 0);
        if (got >= 0 || (errno != EINTR && errno != EAGAIN)) {
            reply = Reply::Answered;
        }
    }
    ::close(fd);
    return reply;
}

} // namespace

namespace SessionBusProbe {

bool Answers(std::chrono::milliseconds maxWait)
{
    const Clock::time_point deadline = Clock::now() + maxWait;
    for (const UnixAddress& entry : UnixEntries(SessionAddress())) {
        switch (Ask(entry, deadline)) {
        case Reply::Answered:
            return true;
        case Reply::Silent:
            return false;
        case Reply::Refused:
            break;
        }
    }
    return true;
}

void StartWithoutBus()
{
    // A path that cannot exist: the bus library fails at once, and launches no bus of its own.
    ::setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/rallybox-session-bus-silent", 1);
}

} // namespace SessionBusProbe
