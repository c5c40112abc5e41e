#include "host/testing/PageHarness.h"

#include "framework/errors/RuntimeError.h"
#include "host/PageHost.h"

#include <QLocale>

using namespace Qt::StringLiterals;

namespace tarvelo::testing {

PageHarness::PageHarness(int twipsPerPixel)
{
    ui_.setTwipsPerPixel(twipsPerPixel, twipsPerPixel);
    // Pages format numbers and dates for a Dutch office.
    QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
    app_ = std::make_unique<ReferenceApplication>(ui_, dir_.path());
    // Tests read the reports; a message box per error would need an answer each.
    app_->setShowErrorsToUser(false);
}

PageHarness::~PageHarness() { page_.reset(); }

SettingsPage& PageHarness::open(const QString& className)
{
    close();
    page_ = openPage(registry(), className, *app_);
    if (!page_)
        throw RuntimeError(ErrorNumber::InvalidProcedureCall, u"Onbekende pagina: %1"_s.arg(className));
    return *page_;
}

} // namespace tarvelo::testing
