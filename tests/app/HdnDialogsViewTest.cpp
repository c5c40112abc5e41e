#include "app/render/FormView.h"
#include "framework/forms/Form.h"
#include "framework/settings/AutorisatieSettings.h"
#include "framework/settings/HdnSettings.h"
#include "host/office/OfficeDatabase.h"
#include "host/testing/PageHarness.h"
#include "pages/database_hdn/frmHDNBerichtenOpslag.h"
#include "pages/database_hdn/frmHDNIndir.h"
#include "pages/database_hdn/frmSubnodeEdit.h"
#include "pages/database_hdn/frmWijzigenHDNBerichtenOpslag.h"
#include "tests/app/WidgetTestSupport.h"

#include <QDir>
#include <QProgressBar>

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

// Every control lies inside its container, and the dialog draws; with
// HDN_RENDER_DIR set the picture is kept for review.
void checkAndRender(Form& form)
{
    for (Control* control : form.controls()) {
        const Control* parent = control->parent();
        const int width = parent == &form ? form.width() : parent->width();
        const int height = parent == &form ? form.innerHeight() : parent->height();
        EXPECT_GE(control->left(), 0) << control->name().toStdString();
        EXPECT_LE(control->right(), width) << control->name().toStdString();
        EXPECT_LE(control->bottom(), height) << control->name().toStdString();
    }
    FormView view(form, TwipsScale{});
    view.flushPending();
    view.ensurePolished();
    const QString folder = qEnvironmentVariable("HDN_RENDER_DIR");
    if (!folder.isEmpty()) {
        QDir().mkpath(folder);
        EXPECT_TRUE(view.grab().save(QDir(folder).filePath(form.name() + ".png")));
    }
    auto* bar = view.findChild<QProgressBar*>();
    if (bar && form.name() == QLatin1String("frmWijzigenHDNBerichtenOpslag")) {
        EXPECT_EQ(bar->palette().color(QPalette::Highlight), QColor(187, 5, 16));
    }
}

} // namespace

TEST(HdnDialogsView, DialogsFitAndDrawWithTheProgressColour)
{
    widgetApplication();
    PageHarness h;
    for (int id = 1; id <= 40; ++id)
        h.app().officeDatabase().exec(
            "INSERT INTO HDNBericht (Ber_Id, Ber_Cd, Ber_Dt, Ber_Om_Ascii, Ber_Om_Berichtnaam) "
            "VALUES (?, 'AX', '2021-03-01', '<a/>', '')",
            {id});
    frmHDNBerichtenOpslag choice;
    choice.setApplication(h.app());
    checkAndRender(choice);

    frmWijzigenHDNBerichtenOpslag move;
    move.setCd_HDNBerichtenOpslagActie(2);
    move.setApplication(h.app());
    move.txtHDNBerichtenOpslagMap.setText(h.folder());
    // Half-way through a move.
    move.lblVoortgang.setVisible(true);
    move.lblVoortgang.setCaption("Bezig met HDN bericht 17 van 40");
    move.pgbProgress.setValue(42);
    checkAndRender(move);

    frmHDNIndir indir;
    indir.setSetup(h.setup());
    indir.setApplication(h.app());
    checkAndRender(indir);

    auto& vestigingen = h.setup().get<AutorisatieSettings>();
    VestigingRecord* utrecht = vestigingen.Vestiging(vestigingen.AddVestiging());
    utrecht->Naam = "Utrecht";
    utrecht->HDNNummer = "123456";
    frmSubnodeEdit subnode;
    subnode.setVestiging(utrecht);
    subnode.setApplication(h.app());
    checkAndRender(subnode);
}

TEST(HdnDialogsView, HdnPagesFitAndDraw)
{
    widgetApplication();
    PageHarness h;
    auto& vestigingen = h.setup().get<AutorisatieSettings>();
    vestigingen.Vestiging(vestigingen.AddVestiging())->Naam = "Utrecht";
    h.setup().get<HdnSettings>().HDNEnterprise = 1;
    h.setup().get<HdnSettings>().AfwijkendeIndirHDN = true;
    h.setup().get<HdnSettings>().HDNIndirs().Add("AX", "/srv/hdn/ax");
    for (const char* page : {"SetupHDNOUD", "SetupHdnIndir"}) {
        h.open(page);
        checkAndRender(h.form());
        EXPECT_TRUE(h.errors().empty()) << page;
    }
}
