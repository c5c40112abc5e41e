#pragma once

#include "framework/forms/ComboBox.h"
#include "framework/forms/Label.h"
#include "framework/forms/UserControl.h"

namespace tarvelo {

class Settings;

// The document-request quick choice of an online invitation: which set of
// documents the client is asked to upload. It keeps its choice in the
// settings object itself.
class DocumentAanvraagSnelkeuze final : public UserControl {
public:
    DocumentAanvraagSnelkeuze(Form& form, const QString& name, int index, Control* parent);

    // The choices, as the settings object keeps them.
    static const QStringList& Keuzes();

    void setSetup(Settings& setup) { setup_ = &setup; }
    // Stores the host application, fills the control and hands the
    // application back, as the sibling library's control does.
    Application& SetApplication(Application& application);
    // Starts the choice at labelWidth twips, where the page's other fields
    // start, with the label before it.
    void alignChoice(int labelWidth);

    Label& lblSnelkeuze;
    ComboBox& cboSnelkeuze;

protected:
    void Fill_Control() override;

private:
    Settings* setup_ = nullptr;
    bool filling_ = false;
};

} // namespace tarvelo
