#pragma once

#include "framework/forms/EmbeddedForm.h"
#include "framework/forms/Event.h"

#include <memory>

namespace tarvelo {

class Application;
class SettingsPage;

// A settings page shown inside a frame of another page, e.g. the notaries of
// the office inside the office page. The outer page adds it to its form, hands
// it the host application and opens the page by class name; the page is
// attached as every host attaches pages and this control takes its size.
class HostedPage final : public EmbeddedForm {
public:
    HostedPage(Form& form, const QString& name, int index, Control* parent);
    ~HostedPage() override;

    Application* getApplication() const { return application_; }
    // The application the pages opened here are attached to: the outer page's.
    void setApplication(Application& application) { application_ = &application; }

    // Opens the registered page className here, closing one already open; the
    // control takes the page's size and follows its height. Errors of the page
    // go to the application's general error handling. Without an application
    // this is error 424; an unknown class name is error 5 and leaves the open
    // page open.
    SettingsPage& open(const QString& className);
    // Closes the page: it is destroyed, so it no longer hears the host's
    // notifications. Nothing happens when no page is open.
    void close();
    SettingsPage* page() const { return page_.get(); }

    // The open page, and one opened later, takes the colour too.
    void setBackColor(Colour colour) override;

private:
    void followPageSize();

    Application* application_ = nullptr;
    std::unique_ptr<SettingsPage> page_;
    Subscription<> heightFollow_;
};

} // namespace tarvelo
