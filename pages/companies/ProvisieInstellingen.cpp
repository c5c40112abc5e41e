#include "pages/companies/ProvisieInstellingen.h"

#include "framework/host/Application.h"
#include "framework/host/Connection.h"
#include "framework/host/Database.h"
#include "framework/ui/Ui.h"
#include "pages/companies/frmAgentnummer.h"

#include <QLocale>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int LabelWidth = 3000;
constexpr int BoxWidth = 855;
const QString Caption = u"Provisieinstellingen"_s;

std::optional<double> percentageOf(const QString& text)
{
    const std::optional<float> value = frmAgentnummer::renteOf(text);
    if (!value || *value < 0)
        return std::nullopt;
    return frmAgentnummer::storedRente(*value);
}
} // namespace

ProvisieInstellingen::ProvisieInstellingen(Form& form, const QString& name, int index, Control* parent)
    : UserControl(form, u"ProvisieInstellingen"_s, name, index, parent),
      lblAfsluit(inner().add<Label>(inner(), u"lblAfsluit"_s)),
      txtAfsluit(inner().add<TextBox>(inner(), u"txtAfsluit"_s)),
      lblDoorlopend(inner().add<Label>(inner(), u"lblDoorlopend"_s)),
      txtDoorlopend(inner().add<TextBox>(inner(), u"txtDoorlopend"_s))
{
    lblAfsluit.setCaption(u"Afsluitprovisie (%)"_s);
    lblDoorlopend.setCaption(u"Doorlopende provisie (% per jaar)"_s);
    lblAfsluit.setBounds(0, 45, LabelWidth, 255);
    txtAfsluit.setBounds(LabelWidth, 0, BoxWidth, 315);
    lblDoorlopend.setBounds(0, 450, LabelWidth, 255);
    txtDoorlopend.setBounds(LabelWidth, 405, BoxWidth, 315);
    txtAfsluit.setAlignment(Alignment::Right);
    txtDoorlopend.setAlignment(Alignment::Right);
    setBounds(0, 0, LabelWidth + BoxWidth, 720);
    txtAfsluit.Validate.connect([this](bool& cancel) { txtAfsluit_Validate(cancel); });
    txtDoorlopend.Validate.connect([this](bool& cancel) { txtDoorlopend_Validate(cancel); });
}

void ProvisieInstellingen::Fill_Control()
{
    guarded([this] {
        std::unique_ptr<Recordset> rs = GetDatabase(app())->connection().OpenRecordset(
            u"SELECT Pc_Afsluit, Pc_Doorlopend FROM Tbl_Mij_Provisie WHERE Om_Object = ?"_s, {object_});
        const bool stored = !rs->EOF_();
        txtAfsluit.setText(QLocale().toString(stored ? rs->field(u"Pc_Afsluit"_s).toDouble() : 0.0));
        txtDoorlopend.setText(QLocale().toString(stored ? rs->field(u"Pc_Doorlopend"_s).toDouble() : 0.0));
        rs->Close();
    });
}

// A percentage from 0 to 100; a refused value keeps the focus and stores nothing.
bool ProvisieInstellingen::store(TextBox& box, const char* column)
{
    const std::optional<double> value = percentageOf(box.text());
    if (!value) {
        failCheck(u"Voer een percentage van 0 tot en met 100 in."_s, Caption, &box);
        return false;
    }
    Connection& connection = GetDatabase(app())->connection();
    connection.BeginTrans();
    try {
        connection.Execute(u"INSERT INTO Tbl_Mij_Provisie (Om_Object, Pc_Afsluit, Pc_Doorlopend) "
                           "SELECT ?, 0, 0 WHERE NOT EXISTS (SELECT 1 FROM Tbl_Mij_Provisie WHERE Om_Object = ?)"_s,
                           {object_, object_});
        // column is one of this control's own two columns.
        connection.Execute(u"UPDATE Tbl_Mij_Provisie SET %1 = ? WHERE Om_Object = ?"_s.arg(QLatin1String(column)),
                           {*value, object_});
        connection.CommitTrans();
    } catch (...) {
        connection.RollbackTrans();
        throw;
    }
    return true;
}

void ProvisieInstellingen::txtAfsluit_Validate(bool& cancel)
{
    guarded([&] { cancel = !store(txtAfsluit, "Pc_Afsluit"); });
}

void ProvisieInstellingen::txtDoorlopend_Validate(bool& cancel)
{
    guarded([&] { cancel = !store(txtDoorlopend, "Pc_Doorlopend"); });
}

} // namespace tarvelo
