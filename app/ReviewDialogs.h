#pragma once

#include <QStringList>
#include <memory>

namespace tarvelo {

class Form;
class ReferenceApplication;

// Dialogs that --render draws by name, each opened and filled as the page
// that shows it opens it, so that a dialog can be looked at without clicking
// through its page.
namespace ReviewDialogs {

QStringList names();
// The dialog, attached to the application and filled; null for an unknown name.
std::unique_ptr<Form> open(const QString& name, ReferenceApplication& application);

} // namespace ReviewDialogs
} // namespace tarvelo
