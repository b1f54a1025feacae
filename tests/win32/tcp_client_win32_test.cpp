#include "platform/win32/tcp_client_win32.h"

#include <winsock2.h>
#include <windows.h>
#include <gtest/gtest.h>
#include <ws2tcpip.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/socket_handle.h"

namespace tavrin::win32 {
namespace {

constexpr std::string_view kNistLine = "\n61014 26-12-05 23:59:58 00 0 0 123.4 UTC(NIST) * \n";

// A Daytime-like server on 127.0.0.1 and an ephemeral port, on its own thread:
// to each connection it sends `reply` and closes. Closing the listener ends
// its wait for the next one.
class LoopbackServer {
public:
    explicit LoopbackServer(std::string reply) {
        listener_.reset(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
        sockaddr_in address{AF_INET, 0, {.S_un = {.S_addr = htonl(INADDR_LOOPBACK)}}, {}};
        int length = sizeof address;
        if (bind(listener_.get(), reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            listen(listener_.get(), 4) != 0 ||
            getsockname(listener_.get(), reinterpret_cast<sockaddr*>(&address), &length) != 0)
            return;
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([listener = listener_.get(), reply] {
            for (UniqueSocket client; client.reset(accept(listener, nullptr, nullptr)), client;) {
                Send(client.get(), reply);
                shutdown(client.get(), SD_SEND);
            }
        });
    }
    ~LoopbackServer() {
        listener_.reset();
        if (thread_.joinable()) thread_.join();
    }
    std::uint16_t Port() const { return port_; }

private:
    static void Send(SOCKET s, std::string_view bytes) {
        for (int n = 0; !bytes.empty() && (n = send(s, bytes.data(), static_cast<int>(bytes.size()), 0)) > 0;)
            bytes.remove_prefix(static_cast<std::size_t>(n));
    }

    WinsockSession session_;
    UniqueSocket listener_;
    std::uint16_t port_ = 0;
    std::thread thread_;
};

// Writes down what arrives, and on which thread.
struct Recorder final : TcpClient::Listener {
    std::vector<std::string> events;
    std::string data;
    DWORD thread = GetCurrentThreadId();
    bool foreignThread = false;

    void Note(const char* event) {
        if (GetCurrentThreadId() != thread) foreignThread = true;
        if (events.empty() || events.back() != event) events.emplace_back(event);
    }
    void OnData(std::string_view bytes) override {
        Note("data");
        data.append(bytes);
    }
    void OnClosed() override { Note("closed"); }
    void OnFailed() override { Note("failed"); }
    bool Ended() const { return !events.empty() && (events.back() == "closed" || events.back() == "failed"); }
};

// Runs this thread's message loop, as the program's would, until done or timed out.
bool Pump(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds{120};
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    return true;
}

// Through the hosts file, refused, or a name no one knows: what arrives comes
// after Connect returns (the lookup runs elsewhere), on the calling thread.
TEST(TcpClientAdapter, EverythingArrivesLaterOnTheCallingThread) {
    const std::string bulk = std::string(kNistLine) + std::string(200'000, 'y');
    LoopbackServer server(bulk);
    const std::uint16_t unusedPort = LoopbackServer("").Port();
    const std::vector<std::string> delivered{"data", "closed"}, failed{"failed"};
    for (const auto& [host, port, events, data] : {std::tuple{"localhost", server.Port(), delivered, bulk},
                                                   {"127.0.0.1", unusedPort, failed, ""},
                                                   {"no-such-host.invalid", std::uint16_t{13}, failed, ""}}) {
        SCOPED_TRACE(host);
        Win32TcpClient client;
        Recorder recorder;
        EXPECT_EQ(client.Connect(host, port, recorder), TcpStatus::Started);
        EXPECT_TRUE(recorder.events.empty());
        ASSERT_TRUE(Pump([&] { return recorder.Ended(); }));
        EXPECT_EQ(recorder.events, events);
        EXPECT_EQ(recorder.data, data);
        EXPECT_FALSE(recorder.foreignThread);
    }
    Win32TcpClient client;
    Recorder recorder;
    EXPECT_EQ(client.Connect("", 13, recorder), TcpStatus::Failed);  // would mean this machine
}

}  // namespace
}  // namespace tavrin::win32
