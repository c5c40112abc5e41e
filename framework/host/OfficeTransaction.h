#pragma once

#include <functional>

namespace tarvelo {

class Connection;

// Runs body as one transaction on the connection: all of it is stored, or,
// when any of it fails, none of it, and the failure goes on to the caller.
void inOneTransaction(Connection& connection, const std::function<void()>& body);

} // namespace tarvelo
