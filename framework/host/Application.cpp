#include "framework/host/Application.h"

#include "framework/host/Database.h"

namespace tarvelo {

Database* GetDatabase(Application& application)
{
    return application.RunFunction(QStringLiteral("Instellingen"), QStringLiteral("Tarvelomain"),
                                   QStringLiteral("GetDatabase"))
        .value<Database*>();
}

} // namespace tarvelo
