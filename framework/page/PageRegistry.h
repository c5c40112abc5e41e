#pragma once

#include "TarveloExport.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace tarvelo {

using namespace Qt::StringLiterals;

class SettingsPage;

namespace detail {
// Makes a page of one class. A class of its own rather than a lambda: the
// library keeps its type to itself, where a lambda inside the inline add()
// would carry the exported class's visibility into every host.
template <class Page>
struct PageMaker {
    std::unique_ptr<SettingsPage> operator()() const { return std::make_unique<Page>(); }
};
} // namespace detail

// The settings window's groups, in the order it lists them.
namespace PageGroup {
inline const QString Algemeen = u"Algemeen"_s;
inline const QString DatabaseEnHdn = u"Database en HDN"_s;
inline const QString Adviseurs = u"Adviseurs"_s;
inline const QString Maatschappijen = u"Maatschappijen"_s;
inline const QString Advisering = u"Advisering"_s;
inline const QString Kantoor = u"Kantoor"_s;
inline const QString Koppelingen = u"Koppelingen"_s;
} // namespace PageGroup

struct TARVELO_EXPORT PageInfo {
    QString className;
    QString title;
    QString group;
    std::function<std::unique_ptr<SettingsPage>()> create;
    // The name the page list, the heading, the history and the search show:
    // what the page holds. Empty where the page's own title says that.
    QString listName;
};

// Every page registers its class name and title; the host creates a page by
// its class name.
class TARVELO_EXPORT PageRegistry {
public:
    // listName where the page's title does not say what the page holds (a
    // title the host knows the page by stays the page's own text).
    template <class Page>
    void add(const QString& group, const QString& listName = {})
    {
        addInfo(group, listName, detail::PageMaker<Page>());
    }

    // Registers a page that another registry holds, as it holds it (so that a
    // host can take some of the library's pages: registerPages).
    void add(const PageInfo& page) { pages_.push_back(page); }

    const std::vector<PageInfo>& pages() const { return pages_; }
    const PageInfo* find(const QString& className) const;
    // A fresh page, or null for a name that is not registered.
    std::unique_ptr<SettingsPage> create(const QString& className) const;

private:
    void addInfo(const QString& group, const QString& listName, std::function<std::unique_ptr<SettingsPage>()> create);

    std::vector<PageInfo> pages_;
};

} // namespace tarvelo
