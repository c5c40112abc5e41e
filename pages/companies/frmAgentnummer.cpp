#include "pages/companies/frmAgentnummer.h"

#include "framework/forms/Label.h"
#include "framework/page/RowLayout.h"
#include "framework/ui/Ui.h"
#include "pages/companies/CAgentnummer.h"

#include <QLocale>
#include <QUuid>
#include <cmath>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int InnerWidth = 4500;
constexpr int LabelWidth = 1695;
const QString Caption = u"Agentnummer"_s;

QString renteText(float value) { return QLocale().toString(double(value), 'g', 7); }
} // namespace

frmAgentnummer::frmAgentnummer()
    : Dialog(u"frmAgentnummer"_s, u"Agentnummers"_s),
      txtAgentnummer(add<TextBox>(add<Frame>(*this, u"fraAgentnummer"_s), u"txtAgentnummer"_s)),
      txtRente(add<TextBox>(get<Frame>(u"fraAgentnummer"_s), u"txtRente"_s)),
      txtAgentnummerOmschrijving(add<TextBox>(get<Frame>(u"fraAgentnummer"_s), u"txtAgentnummerOmschrijving"_s)),
      chkStandaard(add<CheckBox>(get<Frame>(u"fraAgentnummer"_s), u"chkStandaard"_s)),
      cmdOk(add<CommandButton>(*this, u"cmdOk"_s))
{
    auto& fra = get<Frame>(u"fraAgentnummer"_s);
    const auto label = [&](const char* name, const char* caption) -> Label& {
        auto& l = add<Label>(fra, QString::fromLatin1(name));
        l.setCaption(QString::fromUtf8(caption));
        return l;
    };
    auto& lblAgentnummer = label("lblAgentnummer", "Agentnummer");
    auto& lblRente = label("lblRente", "Rente Op- / Afslag");
    auto& lblPerc = label("lblPerc", "%");
    auto& lblOmschrijving = label("lblOmschrijving", "Omschrijving");
    chkStandaard.setCaption(u"Standaard"_s);
    txtRente.setAlignment(Alignment::Right);
    RowLayout(fra, InnerWidth)
        .field(lblAgentnummer, txtAgentnummer, InnerWidth - LabelWidth - RowLayout::Gap, LabelWidth)
        .row({{&lblRente, LabelWidth}, {&txtRente, 855}, {&lblPerc, 0}})
        .field(lblOmschrijving, txtAgentnummerOmschrijving, InnerWidth - LabelWidth - RowLayout::Gap, LabelWidth)
        .line(chkStandaard)
        .finish();
    chkStandaard.setBounds(txtAgentnummer.left(), chkStandaard.top(), txtAgentnummer.width(), chkStandaard.height());
    fra.move(RowLayout::DialogMargin, RowLayout::DialogMargin);
    cmdOk.setCaption(u"&OK"_s);
    placeButtonRow({&cmdOk}, &cmdOk, nullptr);
    setMode(Mode::Toevoegen);

    txtAgentnummer.Change.connect([this] { txtAgentnummer_Validation(); });
    txtAgentnummerOmschrijving.Change.connect([this] { txtAgentnummerOmschrijving_Validation(); });
    txtRente.Change.connect([this] { txtRente_Validation(); });
    chkStandaard.Click.connect([this] { chkStandaard_Click(); });
    cmdOk.Click.connect([this] { cmdOk_Click(); });
    Closed.connect([this] { Form_QueryUnload(); });
}

void frmAgentnummer::setAgentnummer(CAgentnummer& agentnummer)
{
    agentnummer_ = &agentnummer;
    if (agentnummer.GUID.isEmpty())
        agentnummer.GUID = QUuid::createUuid().toString(QUuid::WithBraces).toUpper();
}

void frmAgentnummer::setMode(Mode mode)
{
    setCaption(mode == Mode::Toevoegen ? u"Agentnummer toevoegen"_s : u"Agentnummer wijzigen"_s);
}

double frmAgentnummer::storedRente(float rente) { return QString::number(double(rente), 'g', 7).toDouble(); }

std::optional<float> frmAgentnummer::renteOf(const QString& text)
{
    QString number = text.trimmed();
    if (number.isEmpty())
        return 0.0f;
    number.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (!ok || !std::isfinite(value) || std::abs(value) > 100.0)
        return std::nullopt;
    return float(value);
}

void frmAgentnummer::Fill_Control()
{
    guarded([this] {
        if (!host() || !agentnummer_) {
            ui().msgBox(u"Set eerst de properties 'Application' en 'Agentnummer'"_s, MsgButtons::OK,
                        MsgIcon::Exclamation, Caption);
            return;
        }
        filling_ = true;
        txtAgentnummer.setText(agentnummer_->Om_Agentnummer);
        txtAgentnummerOmschrijving.setText(agentnummer_->Om_Beschrijving);
        txtRente.setText(renteText(agentnummer_->Pc_Opslag));
        chkStandaard.setValue(agentnummer_->In_Standaard ? 1 : 0);
        filling_ = false;
        agentnummer_->In_Changed = false;
    });
}

bool frmAgentnummer::differs() const
{
    if (!agentnummer_)
        return false;
    const std::optional<float> rente = renteOf(txtRente.text());
    return txtAgentnummer.text() != agentnummer_->Om_Agentnummer ||
           txtAgentnummerOmschrijving.text() != agentnummer_->Om_Beschrijving || !rente ||
           *rente != agentnummer_->Pc_Opslag || (chkStandaard.value() == 1) != agentnummer_->In_Standaard;
}

void frmAgentnummer::txtAgentnummer_Validation()
{
    guarded([this] {
        if (agentnummer_ && !filling_)
            agentnummer_->In_Changed = differs();
    });
}

void frmAgentnummer::txtAgentnummerOmschrijving_Validation()
{
    guarded([this] {
        if (agentnummer_ && !filling_)
            agentnummer_->In_Changed = differs();
    });
}

void frmAgentnummer::txtRente_Validation()
{
    guarded([this] {
        if (agentnummer_ && !filling_)
            agentnummer_->In_Changed = differs();
    });
}

void frmAgentnummer::chkStandaard_Click()
{
    guarded([this] {
        if (agentnummer_ && !filling_)
            agentnummer_->In_Changed = differs();
    });
}

bool frmAgentnummer::Validation()
{
    bool valid = false;
    guarded([&] {
        if (txtAgentnummer.text().trimmed().isEmpty())
            return void(failCheck(u"Voer a.u.b. een agentnummer in."_s, Caption, &txtAgentnummer));
        if (!renteOf(txtRente.text()))
            return void(failCheck(u"Voer a.u.b. een geldige rente op- of afslag in, bijvoorbeeld 0,25 of -0,1."_s,
                                  Caption, &txtRente));
        valid = true;
    });
    return valid;
}

void frmAgentnummer::cmdOk_Click()
{
    guarded([this] {
        if (Validation())
            close(false);
    });
}

// Only OK hands the values back; any other way of closing stores nothing.
void frmAgentnummer::Form_QueryUnload()
{
    guarded([this] {
        if (!agentnummer_)
            return;
        if (Geannuleerd()) {
            agentnummer_->In_Changed = false;
            return;
        }
        if (!agentnummer_->In_Changed)
            return;
        agentnummer_->Om_Agentnummer = txtAgentnummer.text();
        agentnummer_->Om_Beschrijving = txtAgentnummerOmschrijving.text();
        agentnummer_->Pc_Opslag = renteOf(txtRente.text()).value_or(0.0f);
        agentnummer_->In_Standaard = chkStandaard.value() == 1;
    });
}

} // namespace tarvelo
