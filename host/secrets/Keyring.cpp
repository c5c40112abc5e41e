// The GLib headers come first: Qt's keywords (signals, slots) would clash with them.
#include <libsecret/secret.h>

#include "host/secrets/Keyring.h"

#include <cstdlib>
#include <sys/stat.h>

namespace tarvelo::Keyring {

namespace {

const SecretSchema* schema()
{
    static const SecretSchema s = {"nl.tarvelo.Instellingen.Sleutel",
                                   SECRET_SCHEMA_NONE,
                                   {{"sleutel", SECRET_SCHEMA_ATTRIBUTE_STRING},
                                    {"map", SECRET_SCHEMA_ATTRIBUTE_STRING},
                                    {nullptr, SECRET_SCHEMA_ATTRIBUTE_STRING}},
                                   0,
                                   nullptr,
                                   nullptr,
                                   nullptr,
                                   nullptr,
                                   nullptr,
                                   nullptr,
                                   nullptr};
    return &s;
}

// A session bus that is there, without D-Bus starting one for us (which
// would wait for a display that a command line over SSH does not have).
bool sessionBusNamed()
{
    if (const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS"); address && *address)
        return true;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (!runtime || !*runtime)
        return false;
    struct stat st {};
    return ::stat((std::string(runtime) + "/bus").c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
}

bool secretServiceRunning()
{
    GError* error = nullptr;
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error);
    if (!bus) {
        g_clear_error(&error);
        return false;
    }
    GVariant* answer =
        g_dbus_connection_call_sync(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                    "NameHasOwner", g_variant_new("(s)", "org.freedesktop.secrets"),
                                    G_VARIANT_TYPE("(b)"), G_DBUS_CALL_FLAGS_NO_AUTO_START, 2000, nullptr, &error);
    gboolean owned = FALSE;
    if (answer) {
        g_variant_get(answer, "(b)", &owned);
        g_variant_unref(answer);
    }
    g_clear_error(&error);
    g_object_unref(bus);
    return owned;
}

} // namespace

bool reachable()
{
    static const bool answer = sessionBusNamed() && secretServiceRunning();
    return answer;
}

std::optional<std::string> find(const std::string& name, const std::string& folder)
{
    if (!reachable())
        return std::nullopt;
    GError* error = nullptr;
    gchar* found =
        secret_password_lookup_sync(schema(), nullptr, &error, "sleutel", name.c_str(), "map", folder.c_str(), nullptr);
    g_clear_error(&error);
    if (!found)
        return std::nullopt;
    std::string key(found);
    secret_password_free(found);
    return key;
}

bool keep(const std::string& name, const std::string& folder, const std::string& label, const std::string& base64)
{
    if (!reachable())
        return false;
    GError* error = nullptr;
    const gboolean kept =
        secret_password_store_sync(schema(), SECRET_COLLECTION_DEFAULT, label.c_str(), base64.c_str(), nullptr, &error,
                                   "sleutel", name.c_str(), "map", folder.c_str(), nullptr);
    g_clear_error(&error);
    return kept;
}

} // namespace tarvelo::Keyring
