#include "platform/win32/tcp_client_win32.h"

#include <winsock2.h>
#include <windows.h>
#include <gtest/gtest.h>
#include <ws2tcpip.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/socket_handle.h"

namespace tavrin::win32 {
namespace {

using namespace std::chrono_literals;

constexpr std::string_view kNistLine = "\n61014 26-12-05 23:59:58 00 0 0 123.4 UTC(NIST) * \n";

// A Daytime-like server on 127.0.0.1 and an ephemeral port, on its own thread,
// serving each accepted connection with the given script until it stops.
class LoopbackServer {
public:
    explicit LoopbackServer(std::function<void(SOCKET)> serve) : serve_(std::move(serve)) {
        listener_.reset(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int length = sizeof address;
        if (bind(listener_.get(), reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            listen(listener_.get(), 4) != 0 ||
            getsockname(listener_.get(), reinterpret_cast<sockaddr*>(&address), &length) != 0)
            return;
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { Run(); });
    }
    ~LoopbackServer() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
    }
    std::uint16_t Port() const { return port_; }
    int Accepted() const { return accepted_; }

private:
    void Run() {
        while (!stop_) {
            fd_set ready;
            FD_ZERO(&ready);
            FD_SET(listener_.get(), &ready);
            timeval wait{0, 20'000};
            if (select(0, &ready, nullptr, nullptr, &wait) != 1) continue;
            UniqueSocket client(accept(listener_.get(), nullptr, nullptr));
            if (!client) continue;
            ++accepted_;
            serve_(client.get());
            shutdown(client.get(), SD_SEND);
        }
    }

    WinsockSession session_;
    UniqueSocket listener_;
    std::function<void(SOCKET)> serve_;
    std::uint16_t port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<int> accepted_{0};
    std::thread thread_;
};

void SendAll(SOCKET s, std::string_view bytes) {
    while (!bytes.empty()) {
        const int n = send(s, bytes.data(), static_cast<int>(bytes.size()), 0);
        if (n <= 0) return;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

// Writes down what arrives, and on which thread.
struct Recorder final : TcpClient::Listener {
    std::vector<std::string> events;
    std::string data;
    DWORD thread = GetCurrentThreadId();
    bool foreignThread = false;
    std::function<void()> onData;

    void Note(const char* event) {
        if (GetCurrentThreadId() != thread) foreignThread = true;
        if (events.empty() || events.back() != event) events.emplace_back(event);
    }
    void OnData(std::string_view bytes) override {
        Note("data");
        data.append(bytes);
        if (onData) onData();
    }
    void OnClosed() override { Note("closed"); }
    void OnFailed() override { Note("failed"); }
    bool Ended() const { return !events.empty() && (events.back() == "closed" || events.back() == "failed"); }
};

// Runs this thread's message loop, as the program's would, until done or timed out.
bool Pump(const std::function<bool()>& done, std::chrono::milliseconds timeout = 120s) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    return true;
}

TEST(TcpClientAdapter, ConnectsThroughTheHostsFileReceivesEverythingAndClosesOnTheCallingThread) {
    const std::string bulk = std::string(kNistLine) + std::string(200'000, 'y');
    LoopbackServer server([&](SOCKET s) {
        SendAll(s, bulk.substr(0, 20));
        Sleep(50);
        SendAll(s, bulk.substr(20));
    });
    ASSERT_NE(server.Port(), 0);
    Win32TcpClient client;
    Recorder recorder;
    EXPECT_EQ(client.Connect("localhost", server.Port(), recorder), TcpStatus::Started);
    EXPECT_TRUE(recorder.events.empty());  // nothing before the message loop runs: the lookup runs elsewhere
    ASSERT_TRUE(Pump([&] { return recorder.Ended(); }));
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"data", "closed"}));
    EXPECT_EQ(recorder.data, bulk);
    EXPECT_FALSE(recorder.foreignThread);
}

TEST(TcpClientAdapter, FailuresArriveLaterOnTheCallingThread) {
    std::uint16_t unusedPort = 0;
    {
        LoopbackServer probe([](SOCKET) {});
        unusedPort = probe.Port();
    }
    for (const auto& [host, port] :
         {std::pair<const char*, std::uint16_t>{"127.0.0.1", unusedPort}, {"no-such-host.invalid", 13}}) {
        Win32TcpClient client;
        Recorder recorder;
        EXPECT_EQ(client.Connect(host, port, recorder), TcpStatus::Started) << "case: " << host;
        EXPECT_TRUE(recorder.events.empty()) << "case: " << host;
        ASSERT_TRUE(Pump([&] { return recorder.Ended(); })) << "case: " << host;
        EXPECT_EQ(recorder.events, std::vector<std::string>{"failed"}) << "case: " << host;
        EXPECT_FALSE(recorder.foreignThread) << "case: " << host;
    }
    Win32TcpClient client;
    Recorder recorder;
    EXPECT_EQ(client.Connect("", 13, recorder), TcpStatus::Failed);  // would mean this machine
}

// Neither a connection given up, nor one whose listener closes it while it
// reads, is heard of again.
TEST(TcpClientAdapter, AnAbandonedConnectionIsNeverHeardOfAgain) {
    LoopbackServer first([](SOCKET s) { SendAll(s, std::string(200'000, 'x')); });
    LoopbackServer second([](SOCKET s) {
        Sleep(100);
        SendAll(s, "second");
    });
    Recorder gone, closed, replaced, current, reading;
    {
        Win32TcpClient client;  // its lookup answers after it has gone
        ASSERT_EQ(client.Connect("127.0.0.1", first.Port(), gone), TcpStatus::Started);
    }
    Win32TcpClient client;
    ASSERT_EQ(client.Connect("127.0.0.1", first.Port(), closed), TcpStatus::Started);
    client.Close();
    client.Close();  // harmless twice
    ASSERT_EQ(client.Connect("127.0.0.1", first.Port(), replaced), TcpStatus::Started);
    ASSERT_TRUE(Pump([&] { return first.Accepted() == 1; }));
    const auto heardBeforeReplaced = replaced.events;
    ASSERT_EQ(client.Connect("127.0.0.1", second.Port(), current), TcpStatus::Started);
    ASSERT_TRUE(Pump([&] { return current.Ended(); }));
    reading.onData = [&] {
        if (reading.data.size() >= 256) client.Close();
    };
    ASSERT_EQ(client.Connect("127.0.0.1", first.Port(), reading), TcpStatus::Started);
    Pump([] { return false; }, 500ms);
    EXPECT_TRUE(gone.events.empty() && closed.events.empty());
    EXPECT_EQ(replaced.events, heardBeforeReplaced);
    EXPECT_EQ(current.data, "second");
    EXPECT_EQ(reading.events, (std::vector<std::string>{"data"}));
    EXPECT_LT(reading.data.size(), 200'000u);
}

}  // namespace
}  // namespace tavrin::win32
