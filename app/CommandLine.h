#pragma once

#include "host/admin/AdminCommands.h"

#include <QString>
#include <QStringList>

namespace tarvelo {

// What the program was asked to do.
struct CommandLine {
    QString dataFolder; // --data MAP; empty: the default folder
    QString page;       // --page NAAM
    QString render;     // --render NAAM|all|window
    QString out;        // --out MAP
    QString provider;   // --provider MSACC|MSSQL; empty: the embedded file
    QString server;     // --server HOST[:PORT], with MSSQL
    QString database;   // --database NAAM, with MSSQL
    QString adviser;    // --adviseur NAAM, with a command: the administrator acts for this adviser
    bool help = false;  // --help
    // An administrator's command (get, set, ...) instead of the window.
    std::optional<AdminRequest> admin;
    QString error; // a Dutch message when the arguments are not usable

    // --render window: a picture of the whole settings window, at the page
    // named by --page or the first page.
    bool rendersWindow() const;

    // Reads the arguments after the program name; Qt's own options (such as
    // -platform) have been taken out by the application object.
    static CommandLine parse(const QStringList& arguments);
    // The help text; names the default data folder.
    static QString helpText(const QString& defaultDataFolder);
};

} // namespace tarvelo
