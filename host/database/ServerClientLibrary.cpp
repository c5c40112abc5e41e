// The server's client library is loaded when an office database on a server
// is first used, not at every start: it brings some twenty libraries of its
// own (TLS, Kerberos, LDAP), and an office on a file never needs them.
//
// The library's calls are defined here under their own names, hidden inside
// this library, each resolved on its first use.

#include "framework/errors/RuntimeError.h"

#include <dlfcn.h>
#include <libpq-fe.h>

using namespace Qt::StringLiterals;

namespace {

constexpr const char* LibraryFile = "libpq.so.5";

void* clientLibrary()
{
    static void* const handle = [] {
        void* h = dlopen(LibraryFile, RTLD_NOW | RTLD_LOCAL);
        if (!h)
            throw tarvelo::RuntimeError(
                3151, u"De clientbibliotheek voor een kantoordatabase op een server (%1) is niet "
                      "geïnstalleerd; installeer het pakket libpq5."_s.arg(QString::fromLatin1(LibraryFile)));
        return h;
    }();
    return handle;
}

template <class Function>
Function resolve(const char* name)
{
    void* found = dlsym(clientLibrary(), name);
    if (!found)
        throw tarvelo::RuntimeError(3151, u"De clientbibliotheek voor een kantoordatabase op een server (%1) "
                                          "kent %2 niet; installeer een nieuwere versie."_s.arg(
                                              QString::fromLatin1(LibraryFile), QString::fromLatin1(name)));
    return reinterpret_cast<Function>(found);
}

} // namespace

// Each call finds its function once and passes its arguments on.
#define TARVELO_CLIENT_CALL(name, ...)                                                                                 \
    static const auto function = resolve<decltype(&::name)>(#name);                                                    \
    return function(__VA_ARGS__)

extern "C" {

void PQclear(PGresult* res) { TARVELO_CLIENT_CALL(PQclear, res); }
char* PQcmdTuples(PGresult* res) { TARVELO_CLIENT_CALL(PQcmdTuples, res); }
int PQconsumeInput(PGconn* conn) { TARVELO_CLIENT_CALL(PQconsumeInput, conn); }
char* PQerrorMessage(const PGconn* conn) { TARVELO_CLIENT_CALL(PQerrorMessage, conn); }
int PQflush(PGconn* conn) { TARVELO_CLIENT_CALL(PQflush, conn); }
char* PQfname(const PGresult* res, int field) { TARVELO_CLIENT_CALL(PQfname, res, field); }
void PQfreemem(void* ptr) { TARVELO_CLIENT_CALL(PQfreemem, ptr); }
Oid PQftype(const PGresult* res, int field) { TARVELO_CLIENT_CALL(PQftype, res, field); }
PGresult* PQgetResult(PGconn* conn) { TARVELO_CLIENT_CALL(PQgetResult, conn); }
int PQgetisnull(const PGresult* res, int row, int field) { TARVELO_CLIENT_CALL(PQgetisnull, res, row, field); }
int PQgetlength(const PGresult* res, int row, int field) { TARVELO_CLIENT_CALL(PQgetlength, res, row, field); }
char* PQgetvalue(const PGresult* res, int row, int field) { TARVELO_CLIENT_CALL(PQgetvalue, res, row, field); }
int PQisBusy(PGconn* conn) { TARVELO_CLIENT_CALL(PQisBusy, conn); }
int PQisnonblocking(const PGconn* conn) { TARVELO_CLIENT_CALL(PQisnonblocking, conn); }
int PQnfields(const PGresult* res) { TARVELO_CLIENT_CALL(PQnfields, res); }
int PQntuples(const PGresult* res) { TARVELO_CLIENT_CALL(PQntuples, res); }
char* PQresultErrorField(const PGresult* res, int code) { TARVELO_CLIENT_CALL(PQresultErrorField, res, code); }
char* PQresultErrorMessage(const PGresult* res) { TARVELO_CLIENT_CALL(PQresultErrorMessage, res); }
ExecStatusType PQresultStatus(const PGresult* res) { TARVELO_CLIENT_CALL(PQresultStatus, res); }
int PQsendQuery(PGconn* conn, const char* query) { TARVELO_CLIENT_CALL(PQsendQuery, conn, query); }
int PQsendQueryParams(PGconn* conn, const char* command, int nParams, const Oid* paramTypes,
                      const char* const* paramValues, const int* paramLengths, const int* paramFormats,
                      int resultFormat)
{
    TARVELO_CLIENT_CALL(PQsendQueryParams, conn, command, nParams, paramTypes, paramValues, paramLengths, paramFormats,
                        resultFormat);
}
int PQsetnonblocking(PGconn* conn, int arg) { TARVELO_CLIENT_CALL(PQsetnonblocking, conn, arg); }
int PQsocket(const PGconn* conn) { TARVELO_CLIENT_CALL(PQsocket, conn); }
ConnStatusType PQstatus(const PGconn* conn) { TARVELO_CLIENT_CALL(PQstatus, conn); }
PGconn* PQconnectStartParams(const char* const* keywords, const char* const* values, int expandDbname)
{
    TARVELO_CLIENT_CALL(PQconnectStartParams, keywords, values, expandDbname);
}
PostgresPollingStatusType PQconnectPoll(PGconn* conn) { TARVELO_CLIENT_CALL(PQconnectPoll, conn); }
int PQconnectionNeedsPassword(const PGconn* conn) { TARVELO_CLIENT_CALL(PQconnectionNeedsPassword, conn); }
PGVerbosity PQsetErrorVerbosity(PGconn* conn, PGVerbosity verbosity)
{
    TARVELO_CLIENT_CALL(PQsetErrorVerbosity, conn, verbosity);
}
char* PQuser(const PGconn* conn) { TARVELO_CLIENT_CALL(PQuser, conn); }
void PQfinish(PGconn* conn) { TARVELO_CLIENT_CALL(PQfinish, conn); }
PGconn* PQconnectdbParams(const char* const* keywords, const char* const* values, int expandDbname)
{
    TARVELO_CLIENT_CALL(PQconnectdbParams, keywords, values, expandDbname);
}
int PQbackendPID(const PGconn* conn) { TARVELO_CLIENT_CALL(PQbackendPID, conn); }
PGnotify* PQnotifies(PGconn* conn) { TARVELO_CLIENT_CALL(PQnotifies, conn); }
int PQenterPipelineMode(PGconn* conn) { TARVELO_CLIENT_CALL(PQenterPipelineMode, conn); }
int PQexitPipelineMode(PGconn* conn) { TARVELO_CLIENT_CALL(PQexitPipelineMode, conn); }
int PQpipelineSync(PGconn* conn) { TARVELO_CLIENT_CALL(PQpipelineSync, conn); }
unsigned char* PQunescapeBytea(const unsigned char* text, size_t* length)
{
    TARVELO_CLIENT_CALL(PQunescapeBytea, text, length);
}

} // extern "C"
