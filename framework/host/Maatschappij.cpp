#include "framework/host/Maatschappij.h"

#include "framework/errors/RuntimeError.h"
#include "framework/host/Application.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

MijCatalogus& GetMijCatalogus(Application& application)
{
    MijCatalogus* catalogus =
        application.RunFunction(u"Instellingen"_s, u"Tarvelomain"_s, u"GetMaatschappijen"_s).value<MijCatalogus*>();
    if (!catalogus)
        throw RuntimeError::objectRequired();
    return *catalogus;
}

} // namespace tarvelo
