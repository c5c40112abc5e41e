#pragma once

#include "host/database/ServerDriver.h"

#include <memory>
#include <optional>

namespace tarvelo {

struct DatabaseLocation;

// The login to the office's server, begun on a thread of its own while the
// program starts Qt and learns its pages: over a VPN the login is most of the
// start's round trips (the connection, the TLS question, the password's
// exchange). The office's connection that opens with the same parameters
// takes it, waiting for what is left of it; a login nobody takes is closed
// once it is done.
class ServerLoginAhead {
public:
    explicit ServerLoginAhead(const DatabaseLocation& location);
    ~ServerLoginAhead();
    ServerLoginAhead(const ServerLoginAhead&) = delete;
    ServerLoginAhead& operator=(const ServerLoginAhead&) = delete;

    // The connection of a login begun with exactly these parameters, once it
    // is done (it may be bad, as ServerDriver::logIn's); nothing when none
    // was begun. Rethrows what the login threw.
    static std::optional<pg_conn*> take(const ServerDriver::LoginParameters& parameters);

    struct Login;

private:
    std::shared_ptr<Login> login_;
};

} // namespace tarvelo
