#pragma once
#include <winsock2.h>

#include "platform/win32/unique_handle.h"

namespace tavrin::win32 {

struct SocketTraits {
    using Type = SOCKET;
    static SOCKET invalid() { return INVALID_SOCKET; }
    static void close(SOCKET s) { closesocket(s); }
};

using UniqueSocket = UniqueHandle<SocketTraits>;

// Winsock for as long as the object lives; cleaned up only if it started.
class WinsockSession {
public:
    WinsockSession() {
        WSADATA data{};
        started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }
    ~WinsockSession() {
        if (started_) WSACleanup();
    }
    WinsockSession(const WinsockSession&) = delete;
    WinsockSession& operator=(const WinsockSession&) = delete;
    bool Started() const { return started_; }

private:
    bool started_ = false;
};

}  // namespace tavrin::win32
