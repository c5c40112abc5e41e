#pragma once

#include "TarveloExport.h"

#include <functional>
#include <utility>
#include <vector>

namespace tarvelo {

// A classic control event: handlers run in the order they were connected.
// Raising works on a copy of the handler list, so a handler may connect or
// disconnect others (a page closing a dialog from its own Click, say).
template <class... Args>
class TARVELO_EXPORT Event {
public:
    using Handler = std::function<void(Args...)>;

    int connect(Handler handler)
    {
        handlers_.emplace_back(++lastId_, std::move(handler));
        return lastId_;
    }

    void disconnect(int id)
    {
        std::erase_if(handlers_, [id](const auto& entry) { return entry.first == id; });
    }

    void operator()(Args... args) const
    {
        const auto handlers = handlers_;
        for (const auto& entry : handlers)
            entry.second(args...);
    }

    bool connected() const { return !handlers_.empty(); }
    // How many handlers are connected, so a host can see who still listens.
    int count() const { return int(handlers_.size()); }

private:
    std::vector<std::pair<int, Handler>> handlers_;
    int lastId_ = 0;
};

// Keeps a handler connected for the lifetime of its owner (a page listening to
// the host's notifications, for instance) and disconnects it on destruction.
template <class... Args>
class TARVELO_EXPORT Subscription {
public:
    Subscription() = default;
    Subscription(Event<Args...>& event, typename Event<Args...>::Handler handler)
        : event_(&event),
          id_(event.connect(std::move(handler)))
    {
    }
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    Subscription(Subscription&& other) noexcept { *this = std::move(other); }
    Subscription& operator=(Subscription&& other) noexcept
    {
        if (this != &other) {
            reset();
            event_ = std::exchange(other.event_, nullptr);
            id_ = other.id_;
        }
        return *this;
    }
    ~Subscription() { reset(); }

    void reset()
    {
        if (event_)
            event_->disconnect(id_);
        event_ = nullptr;
    }

private:
    Event<Args...>* event_ = nullptr;
    int id_ = 0;
};

} // namespace tarvelo
