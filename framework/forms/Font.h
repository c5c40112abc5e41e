#pragma once

#include "TarveloExport.h"

#include <QString>

namespace tarvelo {

using namespace Qt::StringLiterals;

struct TARVELO_EXPORT Font {
    QString name = u"DejaVu Sans"_s;
    double size = 8.0; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const Font&) const = default;
};

} // namespace tarvelo
