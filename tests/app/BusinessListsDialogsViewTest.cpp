#include "app/render/FormView.h"
#include "framework/forms/Form.h"
#include "framework/settings/AbonnementSettings.h"
#include "host/testing/PageHarness.h"
#include "pages/business_lists/frmAbonnementDetail.h"
#include "pages/business_lists/frmOmzettenAbonnement.h"
#include "tests/app/WidgetTestSupport.h"

#include <QDir>
#include <QPixmap>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

// Controls that stick out of the frame or form that holds them, by name.
QStringList outside(const Form& form)
{
    QStringList wrong;
    for (const Control* c : form.controls()) {
        if (!c->visible())
            continue;
        const Control* parent = c->parent();
        const bool inForm = parent == &form;
        const int width = parent->width();
        const int height = inForm ? form.innerHeight() : parent->height();
        if (c->left() < 0 || c->top() < 0 || c->right() > width || c->bottom() > height)
            wrong << c->name();
    }
    return wrong;
}

void render(Form& form)
{
    FormView view(form, TwipsScale{});
    view.flushPending();
    view.ensurePolished();
    const QPixmap picture = view.grab();
    EXPECT_FALSE(picture.isNull()) << form.name().toStdString();
    const QString folder = qEnvironmentVariable("TARVELO_RENDER_DIR");
    if (!folder.isEmpty() && QDir().mkpath(folder))
        picture.save(QDir(folder).filePath(form.name() + u".png"_s), "PNG");
}

} // namespace

// The subscription dialogs draw every control inside its frame or form, so
// nothing is cut off; TARVELO_RENDER_DIR keeps the pictures for review.
TEST(BusinessListsDialogsView, SubscriptionDialogsDrawInsideTheirBounds)
{
    widgetApplication();
    PageHarness h;
    AbonnementSettings& list = h.setup().get<AbonnementSettings>();
    for (const char* soort : {"Basis", "Plus", "Premium"}) {
        AbonnementRecord r;
        r.Actief = true;
        r.Soort = QString::fromLatin1(soort);
        r.Omschrijving = u"Jaarlijkse controle van uw hypotheek"_s;
        r.Termijnbedrag = 19.95;
        r.Contractduur = 30;
        list.AddAbonnement(r);
    }
    frmAbonnementDetail detail;
    detail.setSetup(h.setup());
    detail.setID(list.Abonnement(1)->ID);
    detail.setApplication(h.app());
    detail.Fill_Control();
    frmOmzettenAbonnement omzetten;
    omzetten.setSetup(h.setup());
    omzetten.setAantal(12);
    omzetten.setID(list.Abonnement(1)->ID);
    omzetten.setApplication(h.app());
    for (Form* form : std::initializer_list<Form*>{&detail, &omzetten}) {
        EXPECT_TRUE(outside(*form).isEmpty())
            << form->name().toStdString() << ": " << outside(*form).join(u", "_s).toStdString();
        render(*form);
    }
    EXPECT_TRUE(h.errors().empty());
}

// The pages with every part shown keep their controls inside their frames too.
TEST(BusinessListsDialogsView, PagesWithEveryPartShownDrawInsideTheirBounds)
{
    widgetApplication();
    PageHarness h;
    h.setup().setValue(u"AutomatischTaken"_s, true);
    for (const char* name : {"TaakEinddatumProduct", "TaakEindeRvp", "TaakGebeurtenissen", "TaakAbonnementen",
                             "OnderwerpenBeperken", "AdviesonderwerpenBeperken", "TabbladenBeperken"})
        h.setup().setValue(QString::fromLatin1(name), true);
    h.setup().setValue(u"AdvieskostenMethode0"_s, 3);
    h.setup().setValue(u"LeveringsakteMethode"_s, 1);
    h.setup().setValue(u"HypotheekakteMethode"_s, 2);
    for (const char* page : {"SetupTarief", "SetupHerinneringen", "SetupOnderwerpen"}) {
        h.open(QString::fromLatin1(page));
        EXPECT_TRUE(outside(h.form()).isEmpty()) << page << ": " << outside(h.form()).join(u", "_s).toStdString();
        render(h.form());
        h.close();
    }
    EXPECT_TRUE(h.errors().empty());
}
