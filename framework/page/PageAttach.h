#pragma once

#include <QString>
#include <exception>
#include <functional>
#include <memory>

namespace tarvelo {

class Application;
class PageRegistry;
class SettingsPage;

// Where errors go that escape a page's own handling, with the page's
// component name.
using PageErrorHandler = std::function<void(const QString& componentName, std::exception_ptr error)>;

// Creates a registered page by class name and attaches it the way every host
// does: create; errors escaping its controls' handlers go to onError; scale
// for the application's screen (Initialize); then Setup and Application, or
// SetApplication for pages of that kind, which fills the page. An error that
// escapes the fill goes to onError as well and the page is still handed back.
// Without onError, errors go to the application's reportUnhandled.
// Returns null for a name that is not registered.
std::unique_ptr<SettingsPage> attachPage(const PageRegistry& registry, const QString& className,
                                         Application& application, PageErrorHandler onError = {});

} // namespace tarvelo
