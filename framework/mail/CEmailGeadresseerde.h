#pragma once

#include <QString>

namespace tarvelo {

// A person a mail message comes from or goes to.
class CEmailGeadresseerde {
public:
    QString Naam;
    QString Emailadres;
};

} // namespace tarvelo
