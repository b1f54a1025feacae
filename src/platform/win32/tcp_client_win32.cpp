#include "platform/win32/tcp_client_win32.h"

#include <ws2tcpip.h>

#include <atomic>
#include <cstring>
#include <mutex>
#include <string>
#include <utility>

#include "platform/win32/text.h"

namespace tavrin::win32 {

namespace {

constexpr wchar_t kWindowClass[] = L"Tavrin.TcpClient";
// Each connection reports under its own message number, so a notification
// still queued for a closed socket never reaches the next one, even when
// Winsock hands out the same socket value again.
constexpr UINT kFirstSocketMessage = WM_APP + 0x100;
constexpr UINT kSocketMessages = 64;
constexpr int kReadChunk = 4096;

// Registered rather than WM_APP-based: a late answer may outlive the window
// and must mean nothing to whatever window gets its handle next.
UINT ResolvedMessage() {
    static const UINT message = RegisterWindowMessageW(L"Tavrin.TcpClient.Resolved");
    return message;
}

std::uint64_t NewConnectionId() {
    static std::atomic<std::uint64_t> next{1};
    return next++;
}

}  // namespace

struct Win32TcpClient::Lookup {
    std::wstring host;
    std::wstring port;
    HWND window;
    std::uint64_t connection;
    std::mutex mutex;
    std::vector<Address> addresses;
};

Win32TcpClient::Win32TcpClient() = default;

Win32TcpClient::~Win32TcpClient() {
    Close();
    window_.reset();  // while every member its messages might reach still exists
}

// Made at the first connection, on the thread that connects: building the
// client creates no window, so start-up can lock the workstation before any.
bool Win32TcpClient::EnsureWindow() {
    if (window_) return true;
    (void)ResolvedMessage();
    const wchar_t* windowClass = RegisterForwardingClass<Win32TcpClient>(kWindowClass);
    window_.reset(
        CreateWindowExW(0, windowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), this));
    return static_cast<bool>(window_);
}

LRESULT Win32TcpClient::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == ResolvedMessage()) {
        OnResolved(static_cast<std::uint64_t>(wParam));
        return 0;
    }
    if (message >= kFirstSocketMessage && message < kFirstSocketMessage + kSocketMessages) {
        if (message == SocketMessage() && socket_ && static_cast<SOCKET>(wParam) == socket_.get())
            OnSocketEvent(WSAGETSELECTEVENT(lParam), WSAGETSELECTERROR(lParam));
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

UINT Win32TcpClient::SocketMessage() const {
    return kFirstSocketMessage + static_cast<UINT>(connection_ % kSocketMessages);
}

TcpStatus Win32TcpClient::Connect(std::string_view host, std::uint16_t port, Listener& listener) {
    Close();
    // Winsock starts with the first sync, not with the program.
    if (!session_ || !session_->Started()) session_.emplace();
    // An empty name would resolve to this machine's own addresses.
    if (!session_->Started() || host.empty() || !EnsureWindow()) return TcpStatus::Failed;
    connection_ = NewConnectionId();
    listener_ = &listener;
    lookup_ = std::make_shared<Lookup>();
    lookup_->host = Widen(host);
    lookup_->port = std::to_wstring(port);
    lookup_->window = window_.get();
    lookup_->connection = connection_;
    // The system's pool rather than a detached std::thread: the runtime's
    // detached threads can hand one thread's work to another when one ends
    // while the next starts, and a lookup would then run twice or never.
    auto* work = new std::shared_ptr<Lookup>(lookup_);
    if (!TrySubmitThreadpoolCallback(&Win32TcpClient::Resolve, work, nullptr)) {
        delete work;
        Close();
        return TcpStatus::Failed;
    }
    return TcpStatus::Started;
}

void Win32TcpClient::Close() {
    if (socket_) WSAAsyncSelect(socket_.get(), window_.get(), 0, 0);
    socket_.reset();
    connection_ = 0;
    listener_ = nullptr;
    lookup_.reset();
    addresses_.clear();
    nextAddress_ = 0;
}

// Runs on a pool thread and touches nothing of the client: the lookup is
// shared, and the answer is only posted, so a client that has moved on or
// gone away simply never reads it.
void CALLBACK Win32TcpClient::Resolve(PTP_CALLBACK_INSTANCE, void* context) {
    const std::unique_ptr<std::shared_ptr<Lookup>> work(static_cast<std::shared_ptr<Lookup>*>(context));
    Lookup& lookup = **work;
    const WinsockSession session;
    ADDRINFOW hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    ADDRINFOW* found = nullptr;
    std::vector<Address> addresses;
    if (session.Started() && GetAddrInfoW(lookup.host.c_str(), lookup.port.c_str(), &hints, &found) == 0) {
        for (const ADDRINFOW* a = found; a != nullptr; a = a->ai_next) {
            if (a->ai_addr == nullptr || a->ai_addrlen > sizeof(sockaddr_storage)) continue;
            Address address{};
            std::memcpy(&address.address, a->ai_addr, a->ai_addrlen);
            address.length = static_cast<int>(a->ai_addrlen);
            address.family = a->ai_family;
            addresses.push_back(address);
        }
        FreeAddrInfoW(found);
    }
    {
        const std::lock_guard lock(lookup.mutex);
        lookup.addresses = std::move(addresses);
    }
    PostMessageW(lookup.window, ResolvedMessage(), static_cast<WPARAM>(lookup.connection), 0);
}

void Win32TcpClient::OnResolved(std::uint64_t connection) {
    if (connection == 0 || connection != connection_ || !lookup_) return;
    {
        const std::lock_guard lock(lookup_->mutex);
        addresses_ = std::move(lookup_->addresses);
    }
    lookup_.reset();
    nextAddress_ = 0;
    TryNextAddress();
}

// A name may stand for several addresses (IPv6 and IPv4): each is tried in
// turn until one accepts.
void Win32TcpClient::TryNextAddress() {
    socket_.reset();
    while (nextAddress_ < addresses_.size()) {
        const Address& address = addresses_[nextAddress_++];
        UniqueSocket candidate(socket(address.family, SOCK_STREAM, IPPROTO_TCP));
        if (!candidate) continue;
        if (WSAAsyncSelect(candidate.get(), window_.get(), SocketMessage(), FD_CONNECT | FD_READ | FD_CLOSE) != 0)
            continue;
        if (connect(candidate.get(), reinterpret_cast<const sockaddr*>(&address.address), address.length) == 0 ||
            WSAGetLastError() == WSAEWOULDBLOCK) {
            socket_ = std::move(candidate);
            return;
        }
    }
    EndWith(&Listener::OnFailed);
}

void Win32TcpClient::OnSocketEvent(WORD event, WORD error) {
    switch (event) {
        case FD_CONNECT:
            if (error != 0) TryNextAddress();
            return;
        case FD_READ:
            if (error != 0)
                EndWith(&Listener::OnFailed);
            else
                ReadOnce();
            return;
        case FD_CLOSE:
            DrainAndEnd(error);
            return;
        default:
            return;
    }
}

// One read per notification: Winsock posts another while data remains.
void Win32TcpClient::ReadOnce() {
    char buffer[kReadChunk];
    const int n = recv(socket_.get(), buffer, sizeof buffer, 0);
    if (n > 0) {
        if (listener_) listener_->OnData(std::string_view(buffer, static_cast<std::size_t>(n)));
    } else if (n < 0 && WSAGetLastError() != WSAEWOULDBLOCK) {
        EndWith(&Listener::OnFailed);
    }
    // n == 0: the server has closed; FD_CLOSE follows and ends the connection.
}

// The server has closed: what it sent before closing is still delivered, then
// the close itself. The listener may abandon the connection at any point.
void Win32TcpClient::DrainAndEnd(WORD error) {
    const std::uint64_t connection = connection_;
    char buffer[kReadChunk];
    for (;;) {
        const int n = recv(socket_.get(), buffer, sizeof buffer, 0);
        if (n <= 0) break;
        if (listener_) listener_->OnData(std::string_view(buffer, static_cast<std::size_t>(n)));
        if (connection_ != connection) return;
    }
    EndWith(error == 0 ? &Listener::OnClosed : &Listener::OnFailed);
}

void Win32TcpClient::EndWith(void (Listener::*notification)()) {
    Listener* listener = listener_;
    Close();
    if (listener) (listener->*notification)();
}

}  // namespace tavrin::win32
