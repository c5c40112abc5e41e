#pragma once

#include <QString>

#include <arpa/inet.h>
#include <atomic>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace tarvelo::testing {

using namespace Qt::StringLiterals;

// A TCP relay on 127.0.0.1 in a thread of its own, in front of a server on
// 127.0.0.1:port: it passes every byte both ways until stall(), after which it
// keeps every connection open and accepts new ones, but passes nothing more,
// as a server that went away behind a router or stopped answering would.
class StallingRelay {
public:
    explicit StallingRelay(int targetPort) : target_(targetPort)
    {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(listener_, 16);
        socklen_t length = sizeof address;
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { serve(); });
    }
    ~StallingRelay()
    {
        stop_ = true;
        thread_.join();
        for (const Pair& p : pairs_) {
            ::close(p.client);
            ::close(p.server);
        }
        ::close(listener_);
    }
    StallingRelay(const StallingRelay&) = delete;
    StallingRelay& operator=(const StallingRelay&) = delete;

    QString server() const { return u"127.0.0.1:%1"_s.arg(port_); }
    void stall() { stalled_ = true; }

private:
    struct Pair {
        int client;
        int server;
        bool open = true;
    };

    void serve()
    {
        while (!stop_) {
            std::vector<pollfd> watched{{listener_, POLLIN, 0}};
            std::vector<std::size_t> pairOf{0};
            if (!stalled_) {
                for (std::size_t i = 0; i < pairs_.size(); ++i) {
                    if (!pairs_[i].open)
                        continue;
                    watched.push_back({pairs_[i].client, POLLIN, 0});
                    watched.push_back({pairs_[i].server, POLLIN, 0});
                    pairOf.push_back(i);
                    pairOf.push_back(i);
                }
            }
            if (::poll(watched.data(), watched.size(), 50) <= 0)
                continue;
            if (watched[0].revents & POLLIN)
                accept();
            for (std::size_t i = 1; i < watched.size() && !stalled_; ++i) {
                Pair& p = pairs_[pairOf[i]];
                if (!p.open || !(watched[i].revents & (POLLIN | POLLHUP | POLLERR)))
                    continue;
                const int from = watched[i].fd;
                const int to = from == p.client ? p.server : p.client;
                char buffer[65536];
                const ssize_t n = ::read(from, buffer, sizeof buffer);
                if (n <= 0) {
                    ::shutdown(to, SHUT_WR);
                    p.open = false;
                    continue;
                }
                for (ssize_t done = 0; done < n;) {
                    const ssize_t w = ::write(to, buffer + done, std::size_t(n - done));
                    if (w <= 0)
                        break;
                    done += w;
                }
            }
        }
    }

    void accept()
    {
        const int client = ::accept(listener_, nullptr, nullptr);
        if (client < 0)
            return;
        const int server = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(quint16(target_));
        ::connect(server, reinterpret_cast<sockaddr*>(&address), sizeof address);
        pairs_.push_back({client, server, true});
    }

    int target_;
    int listener_ = -1;
    int port_ = 0;
    std::vector<Pair> pairs_;
    std::atomic<bool> stalled_{false};
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

} // namespace tarvelo::testing
