#pragma once

#include "framework/forms/Form.h"
#include "framework/host/Settings.h"
#include "framework/page/PageRegistry.h"
#include "framework/page/SettingsPage.h"
#include "framework/ui/ScriptedUi.h"
#include "host/ReferenceApplication.h"

#include <QTemporaryDir>
#include <memory>
#include <utility>

namespace tarvelo::testing {

// A reference host in a temporary folder with a ScriptedUi, for testing pages:
// seed the settings, open a page by name exactly as the settings window does,
// play the user through its controls and read what the host saw.
class PageHarness {
public:
    explicit PageHarness(int twipsPerPixel = 15);
    ~PageHarness();

    ScriptedUi& ui() { return ui_; }
    ReferenceApplication& app() { return *app_; }
    Settings& setup() { return app_->SettingsObject(); }
    Settings& globalSetup() { return app_->GlobalSetup(); }
    const std::vector<ErrorReport>& errors() const { return app_->errorReports(); }
    QString folder() const { return dir_.path(); }
    // The host's pages; a test registers pages of its own here before opening them.
    PageRegistry& registry() { return app_->pageRegistry(); }
    const PageRegistry& registry() const { return std::as_const(*app_).pageRegistry(); }

    // Creates and attaches the page; throws when the name is not registered.
    SettingsPage& open(const QString& className);
    SettingsPage& page() { return *page_; }
    // Closes the open page as the window does when it closes: the page may
    // still ask about work it collected.
    void close()
    {
        if (page_)
            page_->Terminate();
        page_.reset();
    }
    Form& form() { return page_->form(); }

    template <class T>
    T& control(const QString& name, int index = -1)
    {
        return form().get<T>(name, index);
    }

private:
    QTemporaryDir dir_;
    ScriptedUi ui_;
    std::unique_ptr<ReferenceApplication> app_;
    std::unique_ptr<SettingsPage> page_;
};

} // namespace tarvelo::testing
