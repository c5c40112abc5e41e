#include "framework/page/PageRegistry.h"

#include "framework/page/SettingsPage.h"

namespace tarvelo {

void PageRegistry::addInfo(const QString& group, const QString& listName,
                           std::function<std::unique_ptr<SettingsPage>()> create)
{
    // One instance tells the class name and title, so each is written once, in the page.
    const std::unique_ptr<SettingsPage> sample = create();
    pages_.push_back({sample->componentName(), sample->Titel(), group, std::move(create), listName});
}

const PageInfo* PageRegistry::find(const QString& className) const
{
    for (const PageInfo& info : pages_) {
        if (info.className.compare(className, Qt::CaseInsensitive) == 0)
            return &info;
    }
    return nullptr;
}

std::unique_ptr<SettingsPage> PageRegistry::create(const QString& className) const
{
    const PageInfo* info = find(className);
    return info ? info->create() : nullptr;
}

} // namespace tarvelo
