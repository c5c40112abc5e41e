#include "framework/page/HostedPage.h"

#include "framework/errors/RuntimeError.h"
#include "framework/host/Application.h"
#include "framework/page/PageAttach.h"
#include "framework/page/PageRegistry.h"
#include "framework/page/SettingsPage.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

HostedPage::HostedPage(Form& form, const QString& name, int index, Control* parent)
    : EmbeddedForm(form, name, index, parent)
{
}

HostedPage::~HostedPage()
{
    // Whoever drew this control heard Removed, or is gone with the outer form.
    heightFollow_.reset();
    embedSilently(nullptr);
    page_.reset();
}

SettingsPage& HostedPage::open(const QString& className)
{
    if (!application_)
        throw RuntimeError::objectRequired();
    const PageRegistry& registry = application_->pageRegistry();
    if (!registry.find(className))
        throw RuntimeError(ErrorNumber::InvalidProcedureCall, u"Onbekende pagina: %1"_s.arg(className));
    close();
    page_ = attachPage(registry, className, *application_);
    if (backColor() != SystemColour::ButtonFace)
        page_->setBackColor(backColor());
    heightFollow_ = Subscription<>(page_->HeightChanged, [this] { followPageSize(); });
    followPageSize();
    embed(&page_->form());
    return *page_;
}

void HostedPage::close()
{
    if (!page_)
        return;
    heightFollow_.reset();
    // The page may still ask about work it collected, as when a window closes.
    page_->Terminate();
    // Whoever draws this control lets go of the page's form before it goes.
    embed(nullptr);
    page_.reset();
}

void HostedPage::setBackColor(Colour colour)
{
    EmbeddedForm::setBackColor(colour);
    if (page_)
        page_->setBackColor(colour);
}

void HostedPage::followPageSize()
{
    const Form& inner = page_->form();
    setBounds(left(), top(), inner.width(), inner.innerHeight());
}

} // namespace tarvelo
