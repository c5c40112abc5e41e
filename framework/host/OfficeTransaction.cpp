#include "framework/host/OfficeTransaction.h"

#include "framework/errors/RuntimeError.h"
#include "framework/host/Connection.h"

namespace tarvelo {

void inOneTransaction(Connection& connection, const std::function<void()>& body)
{
    connection.BeginTrans();
    try {
        body();
        connection.CommitTrans();
    } catch (...) {
        try {
            connection.RollbackTrans();
        } catch (const RuntimeError&) {
            // The failure that led here is the one to tell.
        }
        throw;
    }
}

} // namespace tarvelo
