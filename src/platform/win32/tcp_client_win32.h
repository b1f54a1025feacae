#pragma once
#include <winsock2.h>
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/socket_handle.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/window_class.h"
#include "ports/tcp_client.h"

namespace tavrin::win32 {

// Winsock without blocking the thread that owns it: the name is looked up on
// a thread of the system's pool whose answer is posted back, and connect, read and close
// arrive through WSAAsyncSelect on a message-only window of the client's own.
// Connect from the user-interface thread: notifications run in its message
// loop. Build it before the windows that use it, so it outlives them.
class Win32TcpClient final : public TcpClient {
public:
    Win32TcpClient();
    ~Win32TcpClient() override;
    Win32TcpClient(const Win32TcpClient&) = delete;
    Win32TcpClient& operator=(const Win32TcpClient&) = delete;

    TcpStatus Connect(std::string_view host, std::uint16_t port, Listener& listener) override;
    void Close() override;

private:
    struct Address {
        sockaddr_storage address;
        int length;
        int family;
    };
    struct Lookup;
    static void CALLBACK Resolve(PTP_CALLBACK_INSTANCE instance, void* context);
    template <class Self>
    friend LRESULT CALLBACK ForwardingWndProc(HWND, UINT, WPARAM, LPARAM);
    void AttachHwnd(HWND) {}  // window_ owns the handle
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool EnsureWindow();
    UINT SocketMessage() const;
    void OnResolved(std::uint64_t connection);
    void OnSocketEvent(WORD event, WORD error);
    void TryNextAddress();
    void ReadOnce();
    void DrainAndEnd(WORD error);
    void EndWith(void (Listener::*notification)());

    std::optional<WinsockSession> session_;
    UniqueWindow window_;
    std::uint64_t connection_ = 0;  // 0: none; otherwise unique in the process
    Listener* listener_ = nullptr;
    std::shared_ptr<Lookup> lookup_;
    std::vector<Address> addresses_;
    std::size_t nextAddress_ = 0;
    UniqueSocket socket_;
};

}  // namespace tavrin::win32
