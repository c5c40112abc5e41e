#pragma once

#include <QString>

namespace tarvelo {

struct Font {
    QString name = QStringLiteral("DejaVu Sans");
    double size = 8.0; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const Font&) const = default;
};

} // namespace tarvelo
