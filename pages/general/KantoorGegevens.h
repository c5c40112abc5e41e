#pragma once

#include "framework/forms/TextBox.h"
#include "framework/page/SettingsPage.h"

namespace tarvelo {

using namespace Qt::StringLiterals;

// "Kantoorgegevens": the office's registered name, address and contact person,
// and the contact data the office keeps up to date itself.
class KantoorGegevens final : public SettingsPage {
public:
    KantoorGegevens();
    QString Titel() const override { return u"Kantoorgegevens"_s; }
    AttachKind attachKind() const override { return AttachKind::SetApplication; }
    bool hasValidation() const override { return true; }

    // The non-empty parts joined with single spaces.
    static QString contactPerson(const QString& voorletters, const QString& tussenvoegsel, const QString& achternaam);

protected:
    void Fill() override;
    QString fillProcedure() const override { return u"SetApplication"_s; }

private:
    TextBox* txtNaam = nullptr;
    TextBox* txtStraat = nullptr;
    TextBox* txtHuisnr = nullptr;
    TextBox* txtToevoeging = nullptr;
    TextBox* txtPostcode = nullptr;
    TextBox* txtWoonplaats = nullptr;
    TextBox* txtContactPersoon = nullptr;
};

} // namespace tarvelo
