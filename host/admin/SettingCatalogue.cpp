#include "host/admin/SettingCatalogue.h"

#include "framework/host/SettingsObject.h"
#include "host/admin/PageInspector.h"
#include "host/office/ChangeHistory.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
QString keyOf(const QString& object, const QString& name) { return (object + u'.' + name).toLower(); }
} // namespace

SettingCatalogue::SettingCatalogue(PageInspector& pages, const SettingsObject& declared)
{
    const auto add = [this](SettingPresentation p) {
        const QString key = keyOf(p.object, p.name);
        if (byKey_.contains(key))
            return;
        byKey_.insert(key, qsizetype(all_.size()));
        if (!byName_.contains(p.name.toLower()))
            byName_.insert(p.name.toLower(), qsizetype(all_.size()));
        all_.push_back(std::move(p));
    };
    // The first page that shows a setting is its page.
    for (const PageFacts& facts : pages.pages()) {
        for (const SettingPresentation& p : facts.shown)
            add(p);
    }
    // A setting its block places on a page is named with that page as the page list names it.
    QHash<QString, QString> listTitles;
    for (const PageFacts& facts : pages.pages())
        listTitles.insert(facts.className.toLower(), facts.listTitle);
    for (const QString& name : declared.names()) {
        if (byName_.contains(name.toLower()))
            continue;
        SettingPresentation p = declaredPresentation(declared.setting(name), ChangeHistory::SetupObject);
        if (p.pageTitle.isEmpty())
            p.pageTitle = listTitles.value(p.page.toLower());
        add(std::move(p));
    }
    // A caption that more than one setting would carry is told apart by its frame.
    QHash<QString, int> uses;
    for (const SettingPresentation& p : all_)
        ++uses[p.fieldCaption.toLower()];
    for (SettingPresentation& p : all_) {
        p.caption = p.fieldCaption;
        if (uses.value(p.fieldCaption.toLower()) > 1 && !p.frameCaption.isEmpty() &&
            p.frameCaption.compare(p.fieldCaption, Qt::CaseInsensitive) != 0)
            p.caption = p.frameCaption + u": "_s + p.fieldCaption;
    }
}

SettingPresentation SettingCatalogue::find(const QString& object, const QString& name) const
{
    qsizetype at = byKey_.value(keyOf(object, name), -1);
    if (at < 0)
        at = byName_.value(name.toLower(), -1);
    if (at >= 0) {
        SettingPresentation p = all_[std::size_t(at)];
        p.object = object;
        return p;
    }
    SettingPresentation unknown;
    unknown.object = object;
    unknown.name = unknown.caption = unknown.fieldCaption = name;
    return unknown;
}

QStringList SettingCatalogue::missing() const
{
    QStringList names;
    for (const SettingPresentation& p : all_) {
        if (!p.known())
            names << p.name;
    }
    return names;
}

} // namespace tarvelo
