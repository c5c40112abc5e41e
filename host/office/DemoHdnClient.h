#pragma once

#include <QString>

namespace tarvelo {

class Registry;

// Gives a demo office an HDN client: our own client library (built beside the
// program) installed under the data folder with a node number and a valid
// certificate, found through the machine registry like a real installation.
// Does nothing when the library is not beside the program.
void installDemoHdnClient(const Registry& registry, const QString& dataFolder);

} // namespace tarvelo
