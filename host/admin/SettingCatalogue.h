#pragma once

#include "framework/page/SettingPresentation.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

namespace tarvelo {

class PageInspector;
class SettingsObject;

// Every declared setting as a person reads it: its caption and page, learned
// from the control that shows it on a registered page, else from what its
// block declares; a caption that two settings would share carries its frame's
// caption in front ("Proxyserver: Gebruikersnaam").
class SettingCatalogue {
public:
    SettingCatalogue(PageInspector& pages, const SettingsObject& declared);

    // The setting as it reads; a name that is not declared (from an older
    // version) reads as its code name and has no page.
    SettingPresentation find(const QString& object, const QString& name) const;
    bool contains(const QString& name) const { return byName_.contains(name.toLower()); }
    // Declared settings without a caption or a page.
    QStringList missing() const;
    const std::vector<SettingPresentation>& all() const { return all_; }

private:
    std::vector<SettingPresentation> all_;
    QHash<QString, qsizetype> byKey_;  // "object.name", lower case
    QHash<QString, qsizetype> byName_; // "name", lower case: the first found
};

} // namespace tarvelo
