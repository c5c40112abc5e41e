#pragma once

#include "framework/forms/CommandButton.h"
#include "framework/forms/Dialog.h"
#include "framework/forms/TextBox.h"

namespace tarvelo {

// Edits one standard text. The caller gives the caption text (the list the
// text belongs to) and the text, shows the dialog, and reads Tekst() unless
// the dialog was cancelled.
class frmStandaardtekstDetail final : public Dialog {
public:
    frmStandaardtekstDetail();

    void setCaptionText(const QString& text);
    void setTekst(const QString& text) { tekst_ = text; }
    const QString& Tekst() const { return tekst_; }

    // Puts the text in the field and the focus on it.
    void Fill_Control();

private:
    void cmdOk_Click();

    TextBox& txtStandaardtekst;
    CommandButton& cmdOk;
    CommandButton& cmdAnnuleren;
    QString tekst_;
};

} // namespace tarvelo
