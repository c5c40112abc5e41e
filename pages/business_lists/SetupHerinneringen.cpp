#include "pages/business_lists/SetupHerinneringen.h"

#include "framework/errors/Conversions.h"
#include "framework/errors/RuntimeError.h"
#include "framework/host/Application.h"
#include "framework/host/Database.h"
#include "framework/page/RowLayout.h"
#include "framework/settings/HerinneringSettings.h"
#include "framework/ui/Ui.h"
#include "framework/util/ComboRoutines.h"
#include "framework/util/NumberText.h"
#include "pages/business_lists/TaskCheck.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int InnerWidth = 7800;
constexpr int TypeColumnWidth = 3600;
constexpr int MaxWeken = 52;
constexpr int MaxMaanden = 12;
constexpr int MaxDagen = 366;

struct Unit {
    const char* text;
    qint16 value;
};
constexpr Unit Units[] = {{"Dag(en)", HerinneringSettings::Dagen},
                          {"We(e)k(en)", HerinneringSettings::Weken},
                          {"Maand(en)", HerinneringSettings::Maanden},
                          {"Nooit", HerinneringSettings::Nooit}};

QString unitText(qint16 unit)
{
    for (const Unit& u : Units) {
        if (u.value == unit)
            return QString::fromLatin1(u.text);
    }
    return QString();
}

const char* const ProducttypeCaptions[] = {"Hypotheeklening(deel)",
                                           "Kapitaalverzekering",
                                           "Overlijdensrisicoverzekering",
                                           "AOV",
                                           "Niet-verpande vermogensrekening",
                                           "Verpande vermogensrekening",
                                           "Krediet",
                                           "Uitkerende lijfrente",
                                           "Schadeverzekering",
                                           "Energie",
                                           "Telecom",
                                           "Overige producten"};
const char* const GebeurtenisCaptions[] = {"Verjaardag van klant en partner", "Verjaardag van kinderen", "Pensioen"};

// Keeps the button unusable and the hourglass up while the check runs, and
// gives both back however the run ends.
class BusyButton {
public:
    BusyButton(Ui& ui, CommandButton& button) : ui_(ui), button_(button)
    {
        ui_.setMousePointer(MousePointer::Hourglass);
        button_.setEnabled(false);
    }
    ~BusyButton()
    {
        ui_.setMousePointer(MousePointer::Default);
        button_.setEnabled(true);
    }
    BusyButton(const BusyButton&) = delete;
    BusyButton& operator=(const BusyButton&) = delete;

private:
    Ui& ui_;
    CommandButton& button_;
};
} // namespace

const std::array<qint32, 12> SetupHerinneringen::ProducttypeBits = {1, 2, 4, 8, 16, 32, 64, 128, 512, 1024, 2048, 256};
const std::array<qint32, 3> SetupHerinneringen::GebeurtenisBits = {
    HerinneringSettings::VerjaardagKlant, HerinneringSettings::VerjaardagKinderen, HerinneringSettings::Pensioen};

SetupHerinneringen::SetupHerinneringen()
    : SettingsPage(u"SetupHerinneringen"_s),
      jnAutoTaak(add<YesNo>(add<Frame>(form(), u"fraHerinneringen"_s, u"Taken"_s), u"jnAutoTaak"_s)),
      lblAutoTaak(add<Label>(form().control(u"fraHerinneringen"_s), u"lblAutoTaak"_s,
                             u"Wilt u automatisch taken laten aanmaken?"_s)),
      lblAfgehandeld(add<Label>(form().control(u"fraHerinneringen"_s), u"lblAfgehandeld"_s,
                                u"Deze taken automatisch op afgehandeld zetten"_s)),
      txtAfgehandeldTermijn(add<TextBox>(form().control(u"fraHerinneringen"_s), u"txtAfgehandeldTermijn"_s)),
      cboAfgehandeldTermijn(add<ComboBox>(form().control(u"fraHerinneringen"_s), u"cboAfgehandeldTermijn"_s)),
      lblAfgehandeldNa(add<Label>(form().control(u"fraHerinneringen"_s), u"lblAfgehandeldNa"_s,
                                  u"na verlopen van de gebeurtenis"_s)),
      cmdTakenAanmaken(
          add<CommandButton>(form().control(u"fraHerinneringen"_s), u"cmdTakenAanmaken"_s, u"&Nu uitvoeren..."_s))
{
    Frame& taken = addTaken();
    addSoorten();
    connectEvents();
    showSettings();
    stackFrames({&taken, soorten[Product].fraOuter, soorten[Rvp].fraOuter, soorten[Gebeurtenis].fraOuter,
                 soorten[Abonnement].fraOuter});
}

// The automatic tasks: whether they are made, and when they are marked done.
Frame& SetupHerinneringen::addTaken()
{
    auto& fraHerinneringen = form().get<Frame>(u"fraHerinneringen"_s);
    auto& hntAutomatischAanmaken =
        add<Hint>(fraHerinneringen, u"hntAutomatischAanmaken"_s,
                  u"De applicatie maakt zelf taken aan voor naderende (eind)datums in uw portefeuille. Bij het "
                  "opstarten wordt dagelijks gecontroleerd of er nieuwe taken zijn; deze worden aan de takenlijst "
                  "toegevoegd. Met knop 'Nu uitvoeren' hierachter kan de controle direct extra uitgevoerd worden. "
                  "Hieronder kiest u welke meldingen worden aangemaakt en of deze na een periode vervallen."_s);
    auto& hntActief =
        add<Hint>(fraHerinneringen, u"hntActief"_s,
                  u"Met de adviesstatus maakt u onderscheid tussen berekeningen (status 'In behandeling') en uw "
                  "lopende portefeuille (status 'In beheer'). Een advies komt op 'In beheer' op twee manieren:\r\n"
                  "1. Bij invoeren (registreren) van uw lopende klantdossiers\r\n"
                  "2. Gegeven advies is/wordt de nieuwe situatie van de klant.\r\n"
                  "Berekeningen krijgen geen taken; voor uw dossieropbouw zijn deze overigens nog steeds van "
                  "belang voor de reproduceerbaarheid van uw advies!"_s);
    auto& lblInBeheer = add<Label>(fraHerinneringen, u"lblInBeheer"_s,
                                   u"Alleen van adviezen met status 'In beheer' worden taken aangemaakt."_s);
    RowLayout(fraHerinneringen, InnerWidth)
        .row({{&lblAutoTaak, 3615}, {&jnAutoTaak, 1455}, {&cmdTakenAanmaken, 1455}})
        .text(hntAutomatischAanmaken)
        .line(lblAfgehandeld)
        .row({{&txtAfgehandeldTermijn, 555}, {&cboAfgehandeldTermijn, 1335}, {&lblAfgehandeldNa, 0}})
        .text(hntActief)
        .line(lblInBeheer)
        .finish();
    cmdTakenAanmaken.setLeft(fraHerinneringen.width() - RowLayout::Margin - cmdTakenAanmaken.width());
    txtAfgehandeldTermijn.setAlignment(Alignment::Right);
    lblAfgehandeld.setBuddy(&txtAfgehandeldTermijn);
    return fraHerinneringen;
}

// The four kinds of task, each with its period; products and events also
// with their types.
void SetupHerinneringen::addSoorten()
{
    soorten[Product] =
        addSoort(u"fraEinddatumProduct"_s, u"chkEinddatumProduct"_s, u"Naderende einddatum van product"_s,
                 u"fraTaakAanmaken"_s, u"txtTaakProduct"_s, u"cboTaakProductTermijn"_s);
    soorten[Rvp] = addSoort(u"fraEindeRvp"_s, u"chkEindeRvp"_s, u"Naderende einde rentevastperiode"_s, u"fraTaakRvp"_s,
                            u"txtTaakRvp"_s, u"cboTaakRvp"_s);
    soorten[Gebeurtenis] = addSoort(u"fraGebeurtenissen"_s, u"chkGebeurtenissen"_s, u"Naderende levensgebeurtenissen"_s,
                                    u"fraTaakGebeurtenis"_s, u"txtTaakGebeurtenis"_s, u"cboTaakGebeurtenis"_s);
    soorten[Abonnement] = addSoort(u"fraAbonnement"_s, u"chkAbonnementen"_s, u"Naderend controlemoment abonnement"_s,
                                   u"fraTaakAbonnement"_s, u"txtTaakAbonnement"_s, u"cboTaakAbonnement"_s);

    // The type boxes, in two columns under their kind's period.
    auto& fraProducttypen = add<Frame>(*soorten[Product].fraOuter, u"fraProducttypen"_s, u"Voor producttypen"_s);
    for (int i = 0; i < 12; ++i)
        chkProducttype[std::size_t(i)] =
            &add<CheckBox>(fraProducttypen, u"chkProducttype"_s, QString::fromUtf8(ProducttypeCaptions[i]), i);
    RowLayout producttypen(fraProducttypen, InnerWidth - 2 * RowLayout::Margin);
    for (int i = 0; i < 6; ++i)
        producttypen.row({{chkProducttype[std::size_t(i)], TypeColumnWidth}, {chkProducttype[std::size_t(i + 6)], 0}});
    producttypen.finish();
    soorten[Product].fraTypen = &fraProducttypen;

    auto& fraGebeurtenistypen =
        add<Frame>(*soorten[Gebeurtenis].fraOuter, u"fraGebeurtenistypen"_s, u"Voor gebeurtenissen"_s);
    RowLayout gebeurtenistypen(fraGebeurtenistypen, InnerWidth - 2 * RowLayout::Margin);
    for (int i = 0; i < 3; ++i) {
        chkGebeurtenis[std::size_t(i)] =
            &add<CheckBox>(fraGebeurtenistypen, u"chkGebeurtenis"_s, QString::fromUtf8(GebeurtenisCaptions[i]), i);
        gebeurtenistypen.line(*chkGebeurtenis[std::size_t(i)]);
    }
    gebeurtenistypen.finish();
    soorten[Gebeurtenis].fraTypen = &fraGebeurtenistypen;

    // Each kind: its check box, then its period and types, which give their
    // room back while the kind is not ticked.
    for (Soort& soort : soorten) {
        RowLayout outer(*soort.fraOuter, InnerWidth, false);
        outer.line(*soort.chk).line(*soort.fraPeriode);
        if (soort.fraTypen)
            outer.line(*soort.fraTypen);
        outer.finish();
    }
}

void SetupHerinneringen::connectEvents()
{
    jnAutoTaak.Change.connect([this] { jnAutoTaak_Change(); });
    cboAfgehandeldTermijn.Click.connect([this] { cboAfgehandeldTermijn_Click(); });
    txtAfgehandeldTermijn.Validate.connect([this](bool& Cancel) { txtAfgehandeldTermijn_Validation(Cancel); });
    for (int s = 0; s < 4; ++s) {
        soorten[std::size_t(s)].chk->Click.connect([this, s] { chkSoort_Click(s); });
        soorten[std::size_t(s)].cbo->Click.connect([this, s] { cboTermijn_Click(s); });
        soorten[std::size_t(s)].txt->Validate.connect([this, s](bool& Cancel) { txtTermijn_Validation(s, Cancel); });
    }
    for (int i = 0; i < 12; ++i)
        chkProducttype[std::size_t(i)]->Click.connect([this, i] { chkProducttype_Click(i); });
    for (int i = 0; i < 3; ++i)
        chkGebeurtenis[std::size_t(i)]->Click.connect([this, i] { chkGebeurtenis_Click(i); });
    cmdTakenAanmaken.Click.connect([this] { cmdTakenAanmaken_Click(); });
}

void SetupHerinneringen::showSettings()
{
    shows(jnAutoTaak, &HerinneringSettings::AutomatischTaken);
    shows(txtAfgehandeldTermijn, &HerinneringSettings::AfgehandeldAantal);
    shows(cboAfgehandeldTermijn, &HerinneringSettings::AfgehandeldEenheid);
    shows(*soorten[Product].chk, &HerinneringSettings::TaakEinddatumProduct);
    shows(*soorten[Product].txt, &HerinneringSettings::TaakProductAantal);
    shows(*soorten[Product].cbo, &HerinneringSettings::TaakProductEenheid);
    shows(*soorten[Rvp].chk, &HerinneringSettings::TaakEindeRvp);
    shows(*soorten[Rvp].txt, &HerinneringSettings::TaakRvpAantal);
    shows(*soorten[Rvp].cbo, &HerinneringSettings::TaakRvpEenheid);
    shows(*soorten[Gebeurtenis].chk, &HerinneringSettings::TaakGebeurtenissen);
    shows(*soorten[Gebeurtenis].txt, &HerinneringSettings::TaakGebeurtenisAantal);
    shows(*soorten[Gebeurtenis].cbo, &HerinneringSettings::TaakGebeurtenisEenheid);
    shows(*soorten[Abonnement].chk, &HerinneringSettings::TaakAbonnementen);
    shows(*soorten[Abonnement].txt, &HerinneringSettings::TaakAbonnementAantal);
    shows(*soorten[Abonnement].cbo, &HerinneringSettings::TaakAbonnementEenheid);
    showsBits({chkProducttype.begin(), chkProducttype.end()}, &HerinneringSettings::TaakProducttypen);
    showsBits({chkGebeurtenis.begin(), chkGebeurtenis.end()}, &HerinneringSettings::TaakGebeurtenistypen);
}

SetupHerinneringen::Soort SetupHerinneringen::addSoort(const QString& frameName, const QString& chkName,
                                                       const QString& caption, const QString& periodeFrame,
                                                       const QString& txtName, const QString& cboName)
{
    Soort soort;
    soort.fraOuter = &add<Frame>(form(), frameName);
    soort.chk = &add<CheckBox>(*soort.fraOuter, chkName, caption);
    soort.fraPeriode = &add<Frame>(*soort.fraOuter, periodeFrame);
    auto& label = add<Label>(*soort.fraPeriode, u"lbl"_s + periodeFrame.mid(3), u"Taak van tevoren aanmaken"_s);
    soort.txt = &add<TextBox>(*soort.fraPeriode, txtName);
    soort.txt->setAlignment(Alignment::Right);
    soort.cbo = &add<ComboBox>(*soort.fraPeriode, cboName);
    RowLayout(*soort.fraPeriode, InnerWidth - 2 * RowLayout::Margin, false)
        .row({{&label, 3435}, {soort.txt, 555}, {soort.cbo, 1335}})
        .finish();
    return soort;
}

Setting<bool>& SetupHerinneringen::soortSetting(int soort) const
{
    HerinneringSettings& s = Setup<HerinneringSettings>();
    Setting<bool>* all[] = {&s.TaakEinddatumProduct, &s.TaakEindeRvp, &s.TaakGebeurtenissen, &s.TaakAbonnementen};
    return *all[soort];
}

Setting<qint16>& SetupHerinneringen::aantalSetting(int soort) const
{
    HerinneringSettings& s = Setup<HerinneringSettings>();
    Setting<qint16>* all[] = {&s.TaakProductAantal, &s.TaakRvpAantal, &s.TaakGebeurtenisAantal,
                              &s.TaakAbonnementAantal};
    return *all[soort];
}

Setting<qint16>& SetupHerinneringen::eenheidSetting(int soort) const
{
    HerinneringSettings& s = Setup<HerinneringSettings>();
    Setting<qint16>* all[] = {&s.TaakProductEenheid, &s.TaakRvpEenheid, &s.TaakGebeurtenisEenheid,
                              &s.TaakAbonnementEenheid};
    return *all[soort];
}

void SetupHerinneringen::Fill()
{
    database_ = GetDatabase(app());
    HerinneringSettings& s = Setup<HerinneringSettings>();
    jnAutoTaak.setJa(s.AutomatischTaken);
    txtAfgehandeldTermijn.setText(QString::number(s.AfgehandeldAantal));
    cboTermijn(cboAfgehandeldTermijn, s.AfgehandeldEenheid, true);
    cboAfgehandeldTermijn_Click();
    for (int soort = 0; soort < 4; ++soort) {
        const Soort& k = soorten[std::size_t(soort)];
        k.chk->setChecked(soortSetting(soort));
        chkSoort_Click(soort);
        k.txt->setText(QString::number(aantalSetting(soort).get()));
        cboTermijn(*k.cbo, eenheidSetting(soort), false);
    }
    for (int i = 0; i < 12; ++i)
        chkProducttype[std::size_t(i)]->setChecked((s.TaakProducttypen & ProducttypeBits[std::size_t(i)]) != 0);
    for (int i = 0; i < 3; ++i)
        chkGebeurtenis[std::size_t(i)]->setChecked((s.TaakGebeurtenistypen & GebeurtenisBits[std::size_t(i)]) != 0);
    Enable_Controls();
}

// Fills a unit combo once and selects the stored unit.
void SetupHerinneringen::cboTermijn(ComboBox& combo, qint16 unit, bool withNooit)
{
    guarded([&] {
        if (combo.listCount() == 0) {
            for (const Unit& u : Units) {
                if (u.value != HerinneringSettings::Nooit || withNooit)
                    combo.addItemWithData(QString::fromLatin1(u.text), u.value);
            }
        }
        SelectComboByItemData(combo, unit);
    });
}

// The kinds and the completion period are usable only with automatic tasks on.
void SetupHerinneringen::Enable_Controls()
{
    const bool on = jnAutoTaak.isJa();
    for (const Soort& soort : soorten)
        soort.chk->setEnabled(on);
    for (Control* c : std::initializer_list<Control*>{&lblAfgehandeld, &txtAfgehandeldTermijn, &cboAfgehandeldTermijn})
        c->setEnabled(on);
}

void SetupHerinneringen::jnAutoTaak_Change()
{
    guarded([this] {
        Enable_Controls();
        if (IsLoading)
            return;
        const bool on = jnAutoTaak.isJa();
        HerinneringSettings& s = Setup<HerinneringSettings>();
        s.AutomatischTaken = on;
        soorten[Product].chk->setChecked(on);
        soorten[Rvp].chk->setChecked(on);
        soorten[Gebeurtenis].chk->setChecked(on);
        soorten[Abonnement].chk->setChecked(s.TaakAbonnementen);
    });
}

void SetupHerinneringen::chkSoort_Click(int soort)
{
    guarded(soorten[std::size_t(soort)].chk->name() + u"_Click"_s, [&] {
        if (!IsLoading)
            soortSetting(soort) = soorten[std::size_t(soort)].chk->isChecked();
        Show_Soort(soort);
    });
}

// A kind shows its period (and its types) only while it is ticked; its frame
// takes just the room it needs.
void SetupHerinneringen::Show_Soort(int soort)
{
    const Soort& k = soorten[std::size_t(soort)];
    const bool on = k.chk->isChecked();
    k.fraPeriode->setVisible(on);
    if (k.fraTypen)
        k.fraTypen->setVisible(on);
}

void SetupHerinneringen::chkProducttype_Click(int index)
{
    if (IsLoading)
        return;
    guarded(Index{index}, [&] {
        qint32 bits = 0;
        for (std::size_t i = 0; i < chkProducttype.size(); ++i)
            bits |= chkProducttype[i]->isChecked() ? ProducttypeBits[i] : 0;
        Setup<HerinneringSettings>().TaakProducttypen = bits;
    });
}

void SetupHerinneringen::chkGebeurtenis_Click(int index)
{
    if (IsLoading)
        return;
    guarded(Index{index}, [&] {
        qint32 bits = 0;
        for (std::size_t i = 0; i < chkGebeurtenis.size(); ++i)
            bits |= chkGebeurtenis[i]->isChecked() ? GebeurtenisBits[i] : 0;
        Setup<HerinneringSettings>().TaakGebeurtenistypen = bits;
    });
}

void SetupHerinneringen::cboTermijn_Click(int soort)
{
    if (IsLoading)
        return;
    ComboBox& cbo = *soorten[std::size_t(soort)].cbo;
    guarded(cbo.name() + u"_Click"_s, [&] {
        if (cbo.listIndex() >= 0)
            eenheidSetting(soort) = qint16(cbo.itemData(cbo.listIndex()));
    });
}

void SetupHerinneringen::cboAfgehandeldTermijn_Click()
{
    guarded([this] {
        const int i = cboAfgehandeldTermijn.listIndex();
        if (i < 0)
            return;
        const qint16 unit = qint16(cboAfgehandeldTermijn.itemData(i));
        const bool counted = unit != HerinneringSettings::Nooit;
        txtAfgehandeldTermijn.setVisible(counted);
        lblAfgehandeldNa.setVisible(counted);
        if (IsLoading)
            return;
        Setup<HerinneringSettings>().AfgehandeldEenheid = unit;
        bool Cancel = false;
        txtAfgehandeldTermijn_Validation(Cancel);
    });
}

void SetupHerinneringen::storeCount(TextBox& box, Setting<qint16>& setting, const QString& procedure)
{
    // An empty box counts as 0; a text that is no count, or a count above
    // 32767, is reported and the stored count stays.
    guarded(procedure, [&] { setting = box.text().trimmed().isEmpty() ? qint16(0) : CInt(box.text()); });
    box.setText(QString::number(setting.get()));
}

void SetupHerinneringen::txtAfgehandeldTermijn_Validation(bool& Cancel)
{
    Validation(Cancel, 1);
    if (!Cancel)
        storeCount(txtAfgehandeldTermijn, Setup<HerinneringSettings>().AfgehandeldAantal,
                   u"txtAfgehandeldTermijn_Validation"_s);
}

void SetupHerinneringen::txtTermijn_Validation(int soort, bool& Cancel)
{
    if (soort == Gebeurtenis)
        Validation(Cancel, 2);
    if (!Cancel) {
        TextBox& box = *soorten[std::size_t(soort)].txt;
        storeCount(box, aantalSetting(soort), box.name() + u"_Validation"_s);
    }
}

std::vector<ValidationCheck> SetupHerinneringen::validationChecks()
{
    return {{1, [this] { return completionPeriodPasses(); }}, {2, [this] { return lifeEventPeriodPasses(); }}};
}

bool SetupHerinneringen::completionPeriodPasses()
{
    const qint16 unit = Setup<HerinneringSettings>().AfgehandeldEenheid;
    if (unit == HerinneringSettings::Nooit || typedNumber(txtAfgehandeldTermijn).value_or(0) != 0)
        return true;
    ui().msgBox(u"Voer a.u.b. een aantal "_s + unitText(unit) +
                    u" in waarna de taken op afgehandeld moet worden gezet."_s,
                MsgButtons::OK, MsgIcon::Information, Titel());
    txtAfgehandeldTermijn.setFocus();
    return false;
}

// Life events are known a year ahead at most, in days as in weeks or months.
bool SetupHerinneringen::lifeEventPeriodPasses()
{
    const Soort& k = soorten[Gebeurtenis];
    if (!k.chk->isChecked() || k.cbo->listIndex() < 0)
        return true;
    const qint16 unit = qint16(k.cbo->itemData(k.cbo->listIndex()));
    const double count = typedNumber(*k.txt).value_or(0);
    const bool tooFar = (unit == HerinneringSettings::Maanden && count > MaxMaanden) ||
                        (unit == HerinneringSettings::Weken && count > MaxWeken) ||
                        (unit == HerinneringSettings::Dagen && count > MaxDagen);
    if (!tooFar)
        return true;
    ui().msgBox(u"U kunt bij de levensgebeurtenissen maximaal een jaar van tevoren een taak laten aanmaken."_s,
                MsgButtons::OK, MsgIcon::Information, Titel());
    k.txt->setFocus();
    return false;
}

// Runs the daily check at once: new tasks are made, lapsed ones closed unless
// the completion unit is "Nooit", and the day is remembered.
void SetupHerinneringen::cmdTakenAanmaken_Click()
{
    guarded([this] {
        BusyButton busy(ui(), cmdTakenAanmaken);
        if (!database_)
            throw RuntimeError::objectRequired();
        TaskCheck::runNow(app(), *database_, Setup());
    });
}

} // namespace tarvelo
