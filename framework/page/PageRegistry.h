#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace tarvelo {

class SettingsPage;

// The settings window's groups, in the order it lists them.
namespace PageGroup {
inline const QString Algemeen = QStringLiteral("Algemeen");
inline const QString DatabaseEnHdn = QStringLiteral("Database en HDN");
inline const QString Adviseurs = QStringLiteral("Adviseurs");
inline const QString Maatschappijen = QStringLiteral("Maatschappijen");
inline const QString Advisering = QStringLiteral("Advisering");
inline const QString Kantoor = QStringLiteral("Kantoor");
inline const QString Koppelingen = QStringLiteral("Koppelingen");
} // namespace PageGroup

struct PageInfo {
    QString className;
    QString title;
    QString group;
    std::function<std::unique_ptr<SettingsPage>()> create;
};

// Every page registers its class name and title; the host creates a page by
// its class name.
class PageRegistry {
public:
    template <class Page>
    void add(const QString& group)
    {
        auto create = [] { return std::unique_ptr<SettingsPage>(std::make_unique<Page>()); };
        addInfo(group, create);
    }

    const std::vector<PageInfo>& pages() const { return pages_; }
    const PageInfo* find(const QString& className) const;
    // A fresh page, or null for a name that is not registered.
    std::unique_ptr<SettingsPage> create(const QString& className) const;

private:
    void addInfo(const QString& group, std::function<std::unique_ptr<SettingsPage>()> create);

    std::vector<PageInfo> pages_;
};

} // namespace tarvelo
