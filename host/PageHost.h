#pragma once

#include <QString>
#include <memory>

namespace tarvelo {

class PageRegistry;
class Application;
class SettingsPage;

// Creates a page by its class name and attaches it the way the settings window
// does (see attachPage): errors that escape the page's own handling, during
// the fill or later from a control, go to the host's general error handling.
// Returns null for a name that is not registered.
std::unique_ptr<SettingsPage> openPage(const PageRegistry& registry, const QString& className,
                                       Application& application);

} // namespace tarvelo
