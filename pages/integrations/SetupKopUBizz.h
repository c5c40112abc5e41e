#pragma once

#include "framework/forms/YesNo.h"
#include "pages/integrations/KoppelingPage.h"

namespace tarvelo {

using namespace Qt::StringLiterals;

// "XML-koppeling": the XML exchange with other advice software, its folders,
// and the website the office logo on the main screen opens.
class SetupKopUBizz final : public KoppelingPage {
public:
    SetupKopUBizz();

protected:
    QString fillProcedure() const override { return u"FillScreen"_s; }

private:
    void cmdExportlocatie_Click();
    void cmdImport_Click();

    TextBox& txtExportlocatie;
    TextBox& txtImport;
};

// "Koppeling Finly": the link, its token and where to read more.
class SetupKopFinly final : public KoppelingPage {
public:
    static inline const QString InformatieAdres = u"https://www.finly.nl"_s;
    SetupKopFinly();
};

// "Koppeling EDR Creditservice": the credit check's login and where to read more.
class SetupKopEDR final : public KoppelingPage {
public:
    static inline const QString WebsiteAdres = u"https://www.edr.nl"_s;
    SetupKopEDR();
};

} // namespace tarvelo
