#pragma once

#include "TarveloExport.h"

#include "framework/errors/Procedures.h"
#include "framework/errors/ReportTexts.h"
#include "framework/forms/Form.h"

#include <initializer_list>
#include <vector>

namespace tarvelo {

class CommandButton;
class Ui;

// A modal form of the library (the frm dialogs): its own controls, and the
// guarded procedures of every form, reported under the dialog's name with the
// context and message its owner gives ("Generiek", "Er is een fout
// opgetreden..." for the dialogs shared by several pages).
class TARVELO_EXPORT Dialog : public Form, public Procedures {
public:
    Dialog(const QString& name, const QString& errorContext, const QString& errorMessage = ReportTexts::Message);

    // The host the dialog reports to and shows its messages through. Being
    // given the application starts a new run of the dialog: the cancelled
    // flag is cleared (a host may show the same dialog again).
    void setApplication(Application& application);
    Ui& ui() const;

    // A dialog takes one background: its controls still in the button face
    // (the colour every control starts with) take the dialog's new colour, as
    // on a page.
    void setBackColor(Colour colour) override;

    // The window system's title bar, counted in a dialog's height (see setBorderHeight).
    static constexpr int TitleBarHeight = 390;

    // Whether the user closed the dialog without confirming it: with its cancel
    // button, or with the window's close box or Escape (which hide the form
    // without an answer of the dialog's own).
    bool Geannuleerd() const { return cancelled_; }

protected:
    // Puts the dialog's answer buttons in one row below everything else it
    // shows, right-aligned at the margin in the order given (OK before
    // Annuleren), each wide enough for its caption; hidden buttons give their
    // place to the others. Enter presses `defaultButton` and Escape
    // `cancelButton`; a dialog without one passes null. A button that resets
    // the contents (`resetButton`) starts the row at the left. The dialog then
    // takes the size of its contents and the row. Called again whenever the
    // contents change size.
    void placeButtonRow(std::initializer_list<CommandButton*> buttons, CommandButton* defaultButton,
                        CommandButton* cancelButton, CommandButton* resetButton = nullptr);

    // Ends the modal run; a cancelled dialog's results are not read.
    void close(bool cancelled);

private:
    void arrangeButtonRow(const std::vector<CommandButton*>& buttons, CommandButton* resetButton);

    bool cancelled_ = true;
    bool answering_ = false;
};

} // namespace tarvelo
