#include "framework/host/Maatschappij.h"

#include "framework/errors/RuntimeError.h"
#include "framework/host/Application.h"

namespace tarvelo {

MijCatalogus& GetMijCatalogus(Application& application)
{
    MijCatalogus* catalogus = application
                                  .RunFunction(QStringLiteral("Instellingen"), QStringLiteral("Tarvelomain"),
                                               QStringLiteral("GetMaatschappijen"))
                                  .value<MijCatalogus*>();
    if (!catalogus)
        throw RuntimeError::objectRequired();
    return *catalogus;
}

} // namespace tarvelo
