#pragma once

#include <QString>

namespace tarvelo {

// An attachment of a mail message: its content one character per byte.
class CEmailBijlage {
public:
    QString Naam;
    QString Inhoud;
    QString Beschrijving;
};

} // namespace tarvelo
