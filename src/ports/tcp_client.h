#pragma once
#include <cstdint>
#include <string_view>

namespace tavrin {

enum class TcpStatus { Started, Failed };

// A TCP client that connects by host name without ever holding up the caller.
// Every notification arrives later, as an event of the user-interface thread,
// and only for the connection still current: after Close or a new Connect,
// nothing more is heard of the old one.
class TcpClient {
public:
    class Listener {
    public:
        virtual ~Listener() = default;
        virtual void OnData(std::string_view bytes) = 0;
        virtual void OnClosed() = 0;  // the server ended the connection
        virtual void OnFailed() = 0;  // lookup, connect or read went wrong
    };

    virtual ~TcpClient() = default;
    // Abandons any connection still open, then starts this one. Failed means
    // it could not even start, and then no notification follows.
    virtual TcpStatus Connect(std::string_view host, std::uint16_t port, Listener& listener) = 0;
    // Abandons the connection, if any; harmless when there is none.
    virtual void Close() = 0;
};

}  // namespace tavrin
