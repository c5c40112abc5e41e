#include "pages/business_lists/SetupTarief.h"

#include "framework/errors/Conversions.h"
#include "framework/errors/ReportTexts.h"
#include "framework/page/FieldColumn.h"
#include "framework/page/RowLayout.h"
#include "framework/settings/TariefSettings.h"
#include "framework/util/ComboRoutines.h"
#include "framework/util/NumberText.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int InnerWidth = 9300;
constexpr int LabelWidth = 2655;
constexpr int FeeLabelWidth = 3255;
constexpr int ComboWidth = 4200;
constexpr int FeeComboWidth = 1455;
constexpr int PcLabelWidth = 2520;
constexpr int NumberWidth = 1095;
constexpr int PercentLabelWidth = 195;
constexpr double MaxAktePercentage = 3;
constexpr double MaxPcAdvieskosten = 9;
constexpr double MaxPcInschrijving = 99;

// The fee rows' captions by index.
QString feeCaption(int index)
{
    static const QString captions[] = {u"Bemiddelingsvergoeding geldlening"_s, u"Overige bemiddelingsvergoeding"_s,
                                       u"Advieskosten"_s, u"Advieskosten"_s, u"Bemiddelingsvergoeding"_s};
    return captions[std::size_t(index)];
}

enum Methode : qint16 { VolgensTabel = 0, Percentage = 1, VastBedrag = 2 };
enum FeeMethode : qint16 { FeeVastBedrag = 1, FeePerUur = 2, FeePercentage = 3 };

const QString& leveringsakteMessage()
{
    static const QString text = u"De leveringsakte mag maximaal 3% van de koopsom bedragen."_s;
    return text;
}
const QString& hypotheekakteMessage()
{
    static const QString text = u"De hypotheekakte mag maximaal 3% van de hypothecaire inschrijving bedragen."_s;
    return text;
}
} // namespace

SetupTarief::SetupTarief() : SettingsPage(u"SetupTarief"_s)
{
    Frame& opzet = addFinancieringsopzet();
    Frame& metHypotheek = addAdvieskostenMetHypotheek();
    Frame& zonderHypotheek = addAdvieskostenZonderHypotheek();
    connectChecks();
    showSettings();
    stackFrames({&opzet, &metHypotheek, &zonderHypotheek});
}

// The four costs of the financing set-up, each a method with its percentage or amount.
Frame& SetupTarief::addFinancieringsopzet()
{
    auto& fraOpzet = add<Frame>(form(), u"fraFinancieringsopzet"_s, u"Financieringsopzet"_s);
    const auto row = [&](const char* frameName, const char* caption, const char* cboName, const char* pctName,
                         const char* lblPctName, const char* amountName, const char* percentageItem,
                         const char* firstItem = "Volgens tabel", const char* amountItem = "Vast bedrag") {
        return &addOpzetRow(
            fraOpzet, QString::fromLatin1(frameName), QString::fromLatin1(caption), QString::fromLatin1(cboName),
            QString::fromLatin1(pctName), QString::fromLatin1(lblPctName), QString::fromLatin1(amountName),
            {QString::fromLatin1(firstItem), QString::fromLatin1(percentageItem), QString::fromLatin1(amountItem)});
    };
    Frame* opzetFrames[] = {
        row("fraLeveringsakte", "Leveringsakte", "cboLeveringsakte", "txtLeveringsaktePercentage", "lblPcLeveringsakte",
            "txtLeveringsakteBedrag", "Percentage van de koopsom"),
        row("fraHypotheekakte", "Hypotheekakte", "cboHypotheekAkte", "txtHypotheekaktePercentage", "lblPcHypAkte",
            "txtHypotheekakteBedrag", "Percentage van de hypothecaire inschrijving"),
        row("fraTaxatiekosten", "Taxatiekosten", "cboTaxatiekosten", "txtTaxatiekostenPercentage", "lblPcTaxatiekosten",
            "txtTaxatiekostenBedrag", "Percentage van de Marktwaarde"),
        row("fraInschrijving", "Hypothecaire inschrijving", "cboInschrijving", "txtPc_Inschrijving",
            "lblPcInschrijving", "txtBd_Inschrijving", "Percentage opslag op de gewenste hypotheek",
            "Gelijk aan gewenste hypotheek", "Vast bedrag boven gewenste hypotheek"),
    };
    // Each cost's controls share a frame that only groups them: one row each,
    // its combo in the page's field column.
    RowLayout opzetRows(fraOpzet, InnerWidth);
    for (int row = 0; row < 4; ++row) {
        opzetRows.block(RowLayout::RowHeight + RowLayout::RowGap,
                        [this, row, opzetFrame = opzetFrames[row], parent = &fraOpzet](int top, int inner) {
                            opzetFrame->setBounds(RowLayout::Margin, top, inner, RowLayout::RowHeight);
                            placeOpzetRow(row, std::max(LabelWidth, fieldLeftOf(*parent) - RowLayout::Margin));
                        });
    }
    opzetRows.finish();
    return fraOpzet;
}

// The fee rows of one frame in the order given: each a label, a method and an
// amount; fee 0 also has its percentage and minimum.
void SetupTarief::addFeeRows(Frame& parent, std::initializer_list<int> indices)
{
    for (int index : indices) {
        lblAdvieskosten[std::size_t(index)] = &add<Label>(parent, u"lblAdvieskosten"_s, feeCaption(index), index);
        cboAdvieskosten[std::size_t(index)] = &add<ComboBox>(parent, u"cboAdvieskosten"_s, QString(), index);
        if (index == 0) {
            fraBemiddelingsvergoeding = &add<Frame>(parent, u"fraBemiddelingsvergoeding"_s);
            txtPcAdvieskosten = &add<TextBox>(*fraBemiddelingsvergoeding, u"txtPcAdvieskosten"_s);
            txtPcAdvieskosten->setAlignment(Alignment::Right);
            auto& lblPc =
                add<Label>(*fraBemiddelingsvergoeding, u"lblPcAdvieskosten"_s, u"% van het leningbedrag; min."_s);
            txtPcAdvieskosten->setBounds(0, 0, 555, RowLayout::RowHeight);
            lblPc.setBounds(txtPcAdvieskosten->right() + 60, 45, PcLabelWidth, RowLayout::LabelHeight);
        }
        txtAdvieskosten[std::size_t(index)] = &add<TextBox>(parent, u"txtAdvieskosten"_s, QString(), index);
        txtAdvieskosten[std::size_t(index)]->setAlignment(Alignment::Right);
        cboAdvieskosten[std::size_t(index)]->Click.connect([this, index] { cboAdvieskosten_Click(index); });
    }
}

// Fee 2 comes first, then 0 and 1, then the file fee.
Frame& SetupTarief::addAdvieskostenMetHypotheek()
{
    auto& frame = add<Frame>(form(), u"fraAdvies"_s, u"Advieskosten met hypotheekadvies"_s);
    addFeeRows(frame, {2, 0, 1});
    auto& lblDossier = add<Label>(frame, u"lblDossiervergoeding"_s, u"Dossiervergoeding geldlening"_s);
    txtDossiervergoeding = &add<TextBox>(frame, u"txtDossiervergoeding"_s);
    txtDossiervergoeding->setAlignment(Alignment::Right);

    RowLayout advies(frame, InnerWidth);
    advies.row(
        {{lblAdvieskosten[2], FeeLabelWidth}, {cboAdvieskosten[2], FeeComboWidth}, {txtAdvieskosten[2], NumberWidth}});
    advies.row({{lblAdvieskosten[0], FeeLabelWidth},
                {cboAdvieskosten[0], FeeComboWidth},
                {fraBemiddelingsvergoeding, 555 + 60 + PcLabelWidth},
                {txtAdvieskosten[0], NumberWidth}});
    advies.row(
        {{lblAdvieskosten[1], FeeLabelWidth}, {cboAdvieskosten[1], FeeComboWidth}, {txtAdvieskosten[1], NumberWidth}});
    // The file fee is an amount: it stands in the amount column, after the
    // page's field column and a combo's width.
    lblDossier.setBuddy(txtDossiervergoeding);
    advies.block(RowLayout::RowHeight + RowLayout::RowGap, [label = &lblDossier, this, parent = &frame](int top, int) {
        const int fieldLeft = std::max(fieldLeftOf(*parent), RowLayout::Margin + FeeLabelWidth + RowLayout::Gap);
        const int amountLeft = fieldLeft + FeeComboWidth + RowLayout::Gap;
        label->setBounds(RowLayout::Margin, top + 45, amountLeft - RowLayout::Gap - RowLayout::Margin,
                         RowLayout::LabelHeight);
        txtDossiervergoeding->setBounds(amountLeft, top, NumberWidth, RowLayout::RowHeight);
    });
    advies.finish();
    fraBemiddelingsvergoeding->setHeight(RowLayout::RowHeight);
    return frame;
}

Frame& SetupTarief::addAdvieskostenZonderHypotheek()
{
    auto& frame = add<Frame>(form(), u"fraAdvKostenZHyp"_s, u"Advieskosten zonder hypotheekadvies"_s);
    addFeeRows(frame, {3, 4});
    RowLayout zonder(frame, InnerWidth);
    zonder.row(
        {{lblAdvieskosten[3], FeeLabelWidth}, {cboAdvieskosten[3], FeeComboWidth}, {txtAdvieskosten[3], NumberWidth}});
    zonder.row(
        {{lblAdvieskosten[4], FeeLabelWidth}, {cboAdvieskosten[4], FeeComboWidth}, {txtAdvieskosten[4], NumberWidth}});
    zonder.finish();
    return frame;
}

// Each typed number is checked and stored when the user leaves its box.
void SetupTarief::connectChecks()
{
    for (int row = 0; row < 4; ++row) {
        txtOpzetPercentage[std::size_t(row)]->Validate.connect([this, row](bool& Cancel) {
            const Opzet o = opzet(row);
            const QString refusal = row == 0 ? leveringsakteMessage() : row == 1 ? hypotheekakteMessage() : QString();
            storeNumber(o.txtPercentage, o.percentage, false, row == 3 ? MaxPcInschrijving : 0, refusal, Cancel);
        });
        txtOpzetBedrag[std::size_t(row)]->Validate.connect([this, row](bool& Cancel) {
            const Opzet o = opzet(row);
            storeNumber(o.txtBedrag, o.bedrag, true, 0, QString(), Cancel);
        });
        cboOpzet[std::size_t(row)]->Click.connect([this, row] { cboOpzet_Click(row); });
    }
    for (int index = 0; index < 5; ++index) {
        txtAdvieskosten[std::size_t(index)]->Validate.connect([this, index](bool& Cancel) {
            storeNumber(*txtAdvieskosten[std::size_t(index)], Setup<TariefSettings>().AdvieskostenBedrag(index), true,
                        0, QString(), Cancel);
        });
    }
    txtPcAdvieskosten->Validate.connect([this](bool& Cancel) {
        storeNumber(*txtPcAdvieskosten, Setup<TariefSettings>().PcAdvieskosten, false, MaxPcAdvieskosten, QString(),
                    Cancel);
    });
    txtDossiervergoeding->Validate.connect([this](bool& Cancel) {
        storeNumber(*txtDossiervergoeding, Setup<TariefSettings>().Dossiervergoeding, true, 0, QString(), Cancel);
    });
}

void SetupTarief::showSettings()
{
    shows(*cboOpzet[0], &TariefSettings::LeveringsakteMethode);
    shows(*cboOpzet[1], &TariefSettings::HypotheekakteMethode);
    shows(*cboOpzet[2], &TariefSettings::TaxatiekostenMethode);
    shows(*cboOpzet[3], &TariefSettings::InschrijvingMethode);
    shows(*txtOpzetPercentage[0], &TariefSettings::LeveringsaktePercentage);
    shows(*txtOpzetPercentage[1], &TariefSettings::HypotheekaktePercentage);
    shows(*txtOpzetPercentage[2], &TariefSettings::TaxatiekostenPercentage);
    shows(*txtOpzetPercentage[3], &TariefSettings::InschrijvingPercentage);
    shows(*txtOpzetBedrag[0], &TariefSettings::LeveringsakteBedrag);
    shows(*txtOpzetBedrag[1], &TariefSettings::HypotheekakteBedrag);
    shows(*txtOpzetBedrag[2], &TariefSettings::TaxatiekostenBedrag);
    shows(*txtOpzetBedrag[3], &TariefSettings::InschrijvingBedrag);
    shows(*cboAdvieskosten[0], &TariefSettings::AdvieskostenMethode0);
    shows(*cboAdvieskosten[1], &TariefSettings::AdvieskostenMethode1);
    shows(*cboAdvieskosten[2], &TariefSettings::AdvieskostenMethode2);
    shows(*cboAdvieskosten[3], &TariefSettings::AdvieskostenMethode3);
    shows(*cboAdvieskosten[4], &TariefSettings::AdvieskostenMethode4);
    shows(*txtAdvieskosten[0], &TariefSettings::AdvieskostenBedrag0);
    shows(*txtAdvieskosten[1], &TariefSettings::AdvieskostenBedrag1);
    shows(*txtAdvieskosten[2], &TariefSettings::AdvieskostenBedrag2);
    shows(*txtAdvieskosten[3], &TariefSettings::AdvieskostenBedrag3);
    shows(*txtAdvieskosten[4], &TariefSettings::AdvieskostenBedrag4);
    shows(*txtPcAdvieskosten, &TariefSettings::PcAdvieskosten);
    shows(*txtDossiervergoeding, &TariefSettings::Dossiervergoeding);
}

Frame& SetupTarief::addOpzetRow(Frame& parent, const QString& frameName, const QString& caption, const QString& cboName,
                                const QString& pctName, const QString& lblPctName, const QString& amountName,
                                std::vector<QString> items)
{
    const int row = int(std::count_if(cboOpzet.begin(), cboOpzet.end(), [](ComboBox* c) { return c != nullptr; }));
    auto& frame = add<Frame>(parent, frameName);
    auto& label = add<Label>(frame, u"lbl"_s + frameName.mid(3), caption);
    auto& cbo = add<ComboBox>(frame, cboName);
    for (int i = 0; i < int(items.size()); ++i)
        cbo.addItemWithData(items[std::size_t(i)], i);
    auto& pct = add<TextBox>(frame, pctName);
    auto& lblPct = add<Label>(frame, lblPctName, u"%"_s);
    auto& amount = add<TextBox>(frame, amountName);
    pct.setAlignment(Alignment::Right);
    amount.setAlignment(Alignment::Right);
    label.setBuddy(&cbo);
    lblOpzet[std::size_t(row)] = &label;
    cboOpzet[std::size_t(row)] = &cbo;
    txtOpzetPercentage[std::size_t(row)] = &pct;
    lblOpzetPercentage[std::size_t(row)] = &lblPct;
    txtOpzetBedrag[std::size_t(row)] = &amount;
    return frame;
}

// One row: the label, then from fieldLeft the combo and the percentage or the
// amount, which take the same place: a method shows at most one of them.
void SetupTarief::placeOpzetRow(int row, int fieldLeft)
{
    const auto r = std::size_t(row);
    lblOpzet[r]->setBounds(0, 45, fieldLeft - RowLayout::Gap, RowLayout::LabelHeight);
    cboOpzet[r]->setBounds(fieldLeft, 0, ComboWidth, RowLayout::RowHeight);
    TextBox& pct = *txtOpzetPercentage[r];
    pct.setBounds(cboOpzet[r]->right() + RowLayout::Gap, 0, NumberWidth - PercentLabelWidth - 60, RowLayout::RowHeight);
    lblOpzetPercentage[r]->setBounds(pct.right() + 60, 45, PercentLabelWidth, RowLayout::LabelHeight);
    txtOpzetBedrag[r]->setBounds(pct.left(), 0, NumberWidth, RowLayout::RowHeight);
}

SetupTarief::Opzet SetupTarief::opzet(int row) const
{
    TariefSettings& s = Setup<TariefSettings>();
    const auto r = std::size_t(row);
    switch (row) {
    case 0:
        return {*cboOpzet[r],           *txtOpzetPercentage[r],    *lblOpzetPercentage[r], *txtOpzetBedrag[r],
                s.LeveringsakteMethode, s.LeveringsaktePercentage, s.LeveringsakteBedrag};
    case 1:
        return {*cboOpzet[r],           *txtOpzetPercentage[r],    *lblOpzetPercentage[r], *txtOpzetBedrag[r],
                s.HypotheekakteMethode, s.HypotheekaktePercentage, s.HypotheekakteBedrag};
    case 2:
        return {*cboOpzet[r],           *txtOpzetPercentage[r],    *lblOpzetPercentage[r], *txtOpzetBedrag[r],
                s.TaxatiekostenMethode, s.TaxatiekostenPercentage, s.TaxatiekostenBedrag};
    default:
        return {*cboOpzet[r],          *txtOpzetPercentage[r],   *lblOpzetPercentage[r], *txtOpzetBedrag[r],
                s.InschrijvingMethode, s.InschrijvingPercentage, s.InschrijvingBedrag};
    }
}

void SetupTarief::Fill()
{
    TariefSettings& s = Setup<TariefSettings>();
    Fill_cboAdvieskosten();
    for (int row = 0; row < 4; ++row)
        Fill_Opzet(row);
    for (int index = 0; index < 5; ++index)
        txtAdvieskosten[std::size_t(index)]->setText(amountText(s.AdvieskostenBedrag(index)));
    txtPcAdvieskosten->setText(numberText(s.PcAdvieskosten));
    txtDossiervergoeding->setText(amountText(s.Dossiervergoeding));
    for (ComboBox* combo : cboOpzet)
        FitComboDropDown(*combo, ui());
    for (ComboBox* combo : cboAdvieskosten)
        FitComboDropDown(*combo, ui());
    s.TariefVersie = 2;
}

// A stored 0 means no method chosen yet: the fixed amount, written back at once.
void SetupTarief::Fill_cboAdvieskosten()
{
    guarded([this] {
        TariefSettings& s = Setup<TariefSettings>();
        for (int index = 0; index < 5; ++index) {
            Setting<qint16>& methode = s.AdvieskostenMethode(index);
            if (methode == 0)
                methode = FeeVastBedrag;
            ComboBox& cbo = *cboAdvieskosten[std::size_t(index)];
            cbo.clear();
            cbo.addItemWithData(u"Vast bedrag"_s, FeeVastBedrag);
            cbo.addItemWithData(u"Per uur"_s, FeePerUur);
            if (index == 0)
                cbo.addItemWithData(u"Percentage"_s, FeePercentage);
            SelectComboByItemData(cbo, methode);
        }
        Set_Bemiddelingsvergoeding();
    });
}

void SetupTarief::Fill_Opzet(int row)
{
    const Opzet o = opzet(row);
    o.txtPercentage.setText(numberText(o.percentage));
    o.txtBedrag.setText(amountText(o.bedrag));
    SelectComboByItemData(o.cbo, o.methode);
    Set_OpzetVisibility(row, false);
}

void SetupTarief::cboOpzet_Click(int row)
{
    if (IsLoading)
        return;
    guarded(u"%1_Click"_s.arg(cboOpzet[std::size_t(row)]->name()), [&] {
        const Opzet o = opzet(row);
        if (o.cbo.listIndex() < 0)
            return;
        o.methode = qint16(o.cbo.itemData(o.cbo.listIndex()));
        Set_OpzetVisibility(row, true);
    });
}

// The percentage shows only for method 1, the amount only for method 2; a
// field that goes away takes 0 with it, so no hidden cost stays in force.
void SetupTarief::Set_OpzetVisibility(int row, bool store)
{
    const Opzet o = opzet(row);
    const int methode = o.methode;
    const bool pct = methode == Percentage;
    const bool amount = methode == VastBedrag;
    o.txtPercentage.setVisible(pct);
    o.txtPercentage.setEnabled(pct);
    o.lblPercentage.setVisible(pct);
    o.lblPercentage.setEnabled(pct);
    o.txtBedrag.setVisible(amount);
    o.txtBedrag.setEnabled(amount);
    if (!store)
        return;
    if (!pct) {
        o.txtPercentage.setText(numberText(0));
        o.percentage = 0;
    }
    if (!amount) {
        o.txtBedrag.setText(amountText(0));
        o.bedrag = 0;
    }
}

void SetupTarief::cboAdvieskosten_Click(int index)
{
    if (IsLoading)
        return;
    guarded(Index{index}, [&] {
        ComboBox& cbo = *cboAdvieskosten[std::size_t(index)];
        if (cbo.listIndex() < 0)
            return;
        Setup<TariefSettings>().AdvieskostenMethode(index) = qint16(cbo.itemData(cbo.listIndex()));
        if (index == 0)
            Set_Bemiddelingsvergoeding();
    });
}

// With "Percentage" the loan fee is a percentage with a minimum amount: the
// amount field stands to the right of the percentage, else it takes its place
// (the row's layout moves it).
void SetupTarief::Set_Bemiddelingsvergoeding()
{
    fraBemiddelingsvergoeding->setVisible(Setup<TariefSettings>().AdvieskostenMethode0 == FeePercentage);
}

// The field's own validation: a number above the refusal limit keeps the focus
// in the field and stores nothing; a number above the cap is stored as the cap;
// a text that is no number is reported and the stored value stays. The field
// then shows what is stored.
void SetupTarief::storeNumber(TextBox& box, Setting<double>& setting, bool amount, double cap, const QString& refusal,
                              bool& Cancel)
{
    QString procedure = box.name() + u"_Validation"_s;
    if (box.index() >= 0)
        procedure += u" Index=%1"_s.arg(box.index());
    bool refused = false;
    guarded(procedure, [&] {
        const double value = CDbl(box.text());
        if (!refusal.isEmpty() && value > MaxAktePercentage) {
            refused = true;
            Cancel = true;
            failCheck(refusal, ReportTexts::ProductName, &box);
            return;
        }
        setting = cap > 0 ? std::min(value, cap) : value;
    });
    if (!refused)
        box.setText(amount ? amountText(setting) : numberText(setting));
}

} // namespace tarvelo
