#pragma once

#include <QString>
#include <QStringList>

namespace tarvelo {

using namespace Qt::StringLiterals;

class PageRegistry;
class ReferenceApplication;

// Draws pages, each at its own size, or the whole settings window to PNG files
// without a display, for review.
namespace PageRenderer {

// Writes <folder>/<ClassName>.png for each named page, and <folder>/<Name>.png
// for each dialog of the review list, and returns the files.
// Throws RuntimeError with a Dutch description when a file cannot be written.
QStringList render(const PageRegistry& registry, ReferenceApplication& application, const QStringList& classNames,
                   const QString& folder);

// Writes <folder>/frmInstellingen.png: the settings window at its first size
// with the named page open, or, when none is named, the page the user last
// used (else the first); that page is the one the window opens on next.
// Returns the file; throws like render().
QString renderWindow(const PageRegistry& registry, ReferenceApplication& application, const QString& className,
                     const QString& folder);

// The window's administration dialogs, each as it opens on this office:
// <folder>/frmWijzigingen.png (the office's change history),
// frmImporteren.png (the preview of a profile that differs from the office's
// settings on several pages; nothing is applied) and frmExporteren.png.
inline const QString AdministrationDialogs = u"beheer"_s;
QStringList renderAdministration(const PageRegistry& registry, ReferenceApplication& application,
                                 const QString& folder);

} // namespace PageRenderer
} // namespace tarvelo
