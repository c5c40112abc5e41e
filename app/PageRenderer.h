#pragma once

#include <QString>
#include <QStringList>

namespace tarvelo {

class PageRegistry;
class ReferenceApplication;

// Draws pages to PNG files without a window, each at its own size, for review.
namespace PageRenderer {

// Writes <folder>/<ClassName>.png for each named page and returns the files.
// Throws RuntimeError with a Dutch description when a file cannot be written.
QStringList render(const PageRegistry& registry, ReferenceApplication& application, const QStringList& classNames,
                   const QString& folder);

} // namespace PageRenderer
} // namespace tarvelo
