#pragma once

#include <QString>

namespace tarvelo {

// A person a mail message comes from or goes to.
struct CEmailGeadresseerde {
    QString Naam;
    QString Emailadres;
};

} // namespace tarvelo
