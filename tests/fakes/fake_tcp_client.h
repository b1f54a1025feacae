#pragma once
#include <string>
#include <utility>
#include <vector>

#include "ports/tcp_client.h"

namespace tavrin::testing {

// A socket the test plays the server for: it sees every host asked and
// pushes bytes or a close to the current connection only.
class FakeTcpClient final : public TcpClient {
public:
    TcpStatus Connect(std::string_view host, std::uint16_t, Listener& listener) override {
        attempts.emplace_back(host);
        listener_ = &listener;
        return TcpStatus::Started;
    }
    void Close() override { listener_ = nullptr; }

    bool Open() const { return listener_ != nullptr; }
    void Send(std::string_view bytes) {
        if (listener_) listener_->OnData(bytes);
    }
    void ServerCloses() {
        if (Listener* l = std::exchange(listener_, nullptr)) l->OnClosed();
    }

    std::vector<std::string> attempts;  // hosts

private:
    Listener* listener_ = nullptr;
};

}  // namespace tavrin::testing
