#include "MinimalHost.h"

#include "SetupVoorbeeldhost.h"

#include <tarvelo/framework/errors/RuntimeError.h>
#include <tarvelo/framework/host/ProcedureTrace.h>
#include <tarvelo/host/office/OfficeSchema.h>
#include <tarvelo/pages/AllPages.h>

#include <QDate>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <cstdio>

using namespace tarvelo;

namespace minimalhost {

namespace {

void print(const QString& text) { std::fprintf(stderr, "%s\n", qPrintable(text)); }

} // namespace

MinimalHost::MinimalHost(const QString& dataFolder) : data_(dataFolder)
{
    if (!QDir().mkpath(data_.absolutePath()))
        throw RuntimeError(ErrorNumber::PathFileAccessError,
                           u"De map %1 kan niet worden aangemaakt."_s.arg(data_.absolutePath()), u"MinimalHost"_s);
    // The library's pages and user controls, and one page of the host's own.
    registerAllPages(pages_);
    registerAllComponents(components_);
    pages_.add<SetupVoorbeeldhost>(SetupVoorbeeldhost::Group);

    // The pages run their statements on the office database: a new one gets
    // the tables they read and write.
    const QString file = data_.filePath(u"kantoor.sqlite"_s);
    const bool isNew = !QFile::exists(file);
    DatabaseLocation location;
    location.file = file;
    connection_ = std::make_unique<SqlConnection>(location);
    if (isNew) {
        for (const QString& statement : officeSchema())
            connection_->Execute(statement);
    }
    companies_ = std::make_unique<HostCompanies>(*connection_);

    // The settings as stored; a setting the file does not hold keeps its default.
    QFile settings(data_.filePath(u"instellingen.json"_s));
    if (settings.open(QIODevice::ReadOnly)) {
        const QJsonObject stored = QJsonDocument::fromJson(settings.readAll()).object();
        setup_.fromMap(stored.value(u"Setup"_s).toObject().toVariantMap());
        globalSetup_.fromMap(stored.value(u"GlobalSetup"_s).toObject().toVariantMap());
    }
    storedSetup_ = setup_.toMap();
    storedGlobalSetup_ = globalSetup_.toMap();
}

MinimalHost::~MinimalHost() = default;

QVariant MinimalHost::RunFunction(const QString&, const QString&, const QString& function)
{
    if (function.compare(u"GetDatabase"_s, Qt::CaseInsensitive) == 0)
        return QVariant::fromValue<Database*>(this);
    if (function.compare(u"GetMaatschappijen"_s, Qt::CaseInsensitive) == 0)
        return QVariant::fromValue<MijCatalogus*>(companies_.get());
    // The office as the online portal knows it.
    if (function.compare(u"GetKantoorIdentificatie"_s, Qt::CaseInsensitive) == 0)
        return u"Voorbeeldkantoor"_s;
    throw RuntimeError(ErrorNumber::InvalidProcedureCall, u"Onbekende functie van de host: %1"_s.arg(function),
                       u"MinimalHost"_s);
}

void MinimalHost::ShowError(ProcedureTrace& trace)
{
    // A real host shows its error report; this one writes it down.
    ++errors_;
    print(u"%1 (%2): fout %3 %4"_s.arg(trace.ComponentName, trace.ProcedureName, trace.ErrorNumber,
                                       trace.ErrorDescription));
}

void MinimalHost::reportUnhandled(const QString& componentName, std::exception_ptr error)
{
    ++errors_;
    try {
        std::rethrow_exception(error);
    } catch (const RuntimeError& e) {
        print(u"%1: fout %2 %3"_s.arg(componentName).arg(e.number()).arg(e.description()));
    } catch (const std::exception& e) {
        print(u"%1: %2"_s.arg(componentName, QString::fromLocal8Bit(e.what())));
    }
}

void MinimalHost::RaiseNotify(const QString& sender, const QString& form, const QString& action, const QVariant& value)
{
    Notify(sender, form, action, value);
}

void MinimalHost::saveSettings(const QHash<QString, QString>&, const QHash<QString, QString>&)
{
    const QVariantMap setup = setup_.toMap();
    const QVariantMap globalSetup = globalSetup_.toMap();
    store(setup, globalSetup);
    storedSetup_ = setup;
    storedGlobalSetup_ = globalSetup;
}

void MinimalHost::reloadSettings()
{
    setup_.resetAll();
    globalSetup_.resetAll();
    setup_.fromMap(storedSetup_);
    globalSetup_.fromMap(storedGlobalSetup_);
}

bool MinimalHost::hasUnsavedChanges() const
{
    return setup_.toMap() != storedSetup_ || globalSetup_.toMap() != storedGlobalSetup_;
}

void MinimalHost::standInsDuring(Settings& setup, Settings& globalSetup, Ui& ui, const std::function<void()>& body)
{
    // The window looks at pages that are not open on copies: while it does,
    // the pages see the copies and a Ui that asks nobody.
    const std::optional<StandIn> before = standIn_;
    standIn_.emplace(StandIn{setup, globalSetup, ui});
    const auto restore = [&] {
        standIn_.reset();
        if (before)
            standIn_.emplace(*before);
    };
    try {
        body();
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

void MinimalHost::SaveGlobalSetup(const Settings& globalSetup)
{
    const QVariantMap stored = globalSetup.toMap();
    store(storedSetup_, stored);
    storedGlobalSetup_ = stored;
}

// Setup and GlobalSetup as one JSON file, replaced whole or not at all. A real
// host keeps them in its own database, passwords encrypted.
void MinimalHost::store(const QVariantMap& setup, const QVariantMap& globalSetup)
{
    const QJsonObject record{{u"Setup"_s, QJsonObject::fromVariantMap(setup)},
                             {u"GlobalSetup"_s, QJsonObject::fromVariantMap(globalSetup)}};
    QSaveFile file(data_.filePath(u"instellingen.json"_s));
    if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(record).toJson()) < 0 || !file.commit())
        throw RuntimeError(ErrorNumber::PathFileAccessError,
                           u"De instellingen kunnen niet worden opgeslagen in %1."_s.arg(file.fileName()),
                           u"MinimalHost"_s);
}

} // namespace minimalhost
