#pragma once

#include "framework/errors/Procedures.h"
#include "framework/errors/ReportTexts.h"
#include "framework/forms/Form.h"

namespace tarvelo {

class Ui;

// A modal form of the library (the frm dialogs): its own controls, and the
// guarded procedures of every form, reported under the dialog's name with the
// context and message its owner gives ("Generiek", "Er is een fout
// opgetreden..." for the dialogs shared by several pages).
class Dialog : public Form, public Procedures {
public:
    Dialog(const QString& name, const QString& errorContext, const QString& errorMessage = ReportTexts::Message);

    // The host the dialog reports to and shows its messages through.
    void setApplication(Application& application) { setHost(&application); }
    Ui& ui() const;

    // A dialog takes one background: its controls still in the button face
    // (the colour every control starts with) take the dialog's new colour, as
    // on a page.
    void setBackColor(Colour colour) override;

    // The window system's title bar, counted in a dialog's height (see setBorderHeight).
    static constexpr int TitleBarHeight = 390;

    // Whether the user closed the dialog without confirming it.
    bool Geannuleerd() const { return cancelled_; }

protected:
    // Ends the modal run; a cancelled dialog's results are not read.
    void close(bool cancelled);

private:
    bool cancelled_ = true;
};

} // namespace tarvelo
