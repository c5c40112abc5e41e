#pragma once

#include "framework/page/SettingPresentation.h"
#include "host/admin/CollectingUi.h"

#include <QString>
#include <QVariant>
#include <functional>
#include <optional>
#include <vector>

namespace tarvelo {

class PageRegistry;
class SettingsHost;
class SettingsPage;

// A setting a page shows in a control: in "Setup" or "GlobalSetup", with the
// value the page's reset puts back.
struct BoundSetting {
    QString object;
    QString name;
    QVariant defaultValue;
    // An empty setting counts as the default: the page fills one in when shown.
    bool emptyIsDefault = false;
};

// What the host knows of one registered page without the user opening it.
struct PageFacts {
    QString className;
    QString title;
    // The page as the window's page list, its heading, the history and the
    // search name it: the name it was registered with, else its title (where
    // two pages of one group share a title without names of their own, the
    // caption of its first frame after it).
    QString listTitle;
    std::vector<BoundSetting> settings;
    // Every setting the page shows, bound or not, as it reads there.
    std::vector<SettingPresentation> shown;
    bool hasValidation = false;
};

// One failing input check: on which page, in which field, with what message.
struct CheckProblem {
    QString className;
    QString title;
    QString field;        // the control the check puts the focus on; empty when none
    QString fieldCaption; // that control as the screen names it
    int fieldIndex = -1;
    QString message;
};

// Looks at every registered page the way the settings window would show it,
// but with copies of the settings and a Ui that asks nobody: a page that is
// not open is never changed by being looked at.
class PageInspector {
public:
    // The pages of registry, or the host's own pages.
    explicit PageInspector(SettingsHost& application, const PageRegistry* registry = nullptr);

    // Every page with its bound settings; learned once, on first use.
    const std::vector<PageFacts>& pages();
    // The default a reset puts back: the value a page shows for an empty
    // setting where a page has one, else the declared default.
    QVariant defaultOf(const QString& object, const QString& name);

    // Runs every input check of every page that has them against the current
    // settings and returns every problem. opened gives the page the user has
    // open in a window (null when not open); those are checked as they are.
    std::vector<CheckProblem> check(const std::function<SettingsPage*(const QString&)>& opened = {});

private:
    void learn(std::vector<PageFacts>& found, CollectingUi& quiet);
    // Runs body with copies of the settings standing in for the user's.
    void withCopies(const std::function<void(CollectingUi&)>& body,
                    CollectingUi::Measuring measuring = CollectingUi::Measuring::AsTheScreen);
    void openAndRun(const QString& className, CollectingUi& quiet,
                    const std::function<void(SettingsPage&, CollectingUi&)>& body);
    void withPage(const QString& className, const std::function<void(SettingsPage&, CollectingUi&)>& body);
    std::vector<CheckProblem> checkPage(SettingsPage& page, CollectingUi& quiet);

    SettingsHost& app_;
    const PageRegistry& registry_;
    std::optional<std::vector<PageFacts>> pages_;
};

} // namespace tarvelo
