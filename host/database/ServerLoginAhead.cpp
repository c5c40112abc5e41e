#include "host/database/ServerLoginAhead.h"

#include "host/database/ServerConnection.h"
#include "host/database/SqlConnection.h"

#include <libpq-fe.h>

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace tarvelo {

struct ServerLoginAhead::Login {
    ServerDriver::LoginParameters parameters;
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    bool abandoned = false;
    pg_conn* conn = nullptr;
    std::exception_ptr failure;
};

namespace {

std::mutex beganMutex;
std::vector<std::shared_ptr<ServerLoginAhead::Login>> began;

void forget(const std::shared_ptr<ServerLoginAhead::Login>& login)
{
    const std::lock_guard lock(beganMutex);
    std::erase(began, login);
}

} // namespace

ServerLoginAhead::ServerLoginAhead(const DatabaseLocation& location) : login_(std::make_shared<Login>())
{
    const ServerAddress address = ServerAddress::parse(location.server);
    login_->parameters = ServerDriver::loginParameters(location.databaseName, QString(), QString(), address.host,
                                                       address.port, serverSessionOptions());
    {
        const std::lock_guard lock(beganMutex);
        began.push_back(login_);
    }
    // Detached: a program that ends before the login is done does not wait for it.
    try {
        std::thread([login = login_] {
            pg_conn* conn = nullptr;
            std::exception_ptr failure;
            try {
                conn = ServerDriver::logIn(login->parameters);
            } catch (...) {
                failure = std::current_exception();
            }
            std::unique_lock lock(login->mutex);
            if (login->abandoned) {
                lock.unlock();
                if (conn)
                    PQfinish(conn);
                return;
            }
            login->conn = conn;
            login->failure = failure;
            login->finished = true;
            login->done.notify_all();
        }).detach();
    } catch (const std::system_error&) {
        // No thread to spare: the office logs in when it opens, as without this.
        forget(login_);
    }
}

ServerLoginAhead::~ServerLoginAhead()
{
    forget(login_);
    pg_conn* unused = nullptr;
    {
        const std::lock_guard lock(login_->mutex);
        login_->abandoned = true;
        if (login_->finished)
            std::swap(unused, login_->conn);
    }
    if (unused)
        PQfinish(unused);
}

std::optional<pg_conn*> ServerLoginAhead::take(const ServerDriver::LoginParameters& parameters)
{
    std::shared_ptr<Login> login;
    {
        const std::lock_guard lock(beganMutex);
        const auto found =
            std::find_if(began.begin(), began.end(), [&](const auto& l) { return l->parameters == parameters; });
        if (found == began.end())
            return std::nullopt;
        login = *found;
        began.erase(found);
    }
    std::unique_lock lock(login->mutex);
    login->done.wait(lock, [&] { return login->finished; });
    if (login->failure)
        std::rethrow_exception(std::exchange(login->failure, nullptr));
    return std::exchange(login->conn, nullptr);
}

} // namespace tarvelo
