#pragma once

#include "framework/forms/CheckBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/forms/TextBox.h"
#include "framework/page/RowLayout.h"
#include "framework/page/SettingsPage.h"

#include <optional>
#include <vector>

namespace tarvelo {

// One text box of a link page: its control name, its label and the text
// setting it shows and writes.
struct KoppelingVeld {
    QString name;
    QString label;
    SettingAccessor setting;
    // Passwords and tokens show masked characters.
    bool masked = false;
};

// What distinguishes one link page from the others.
struct KoppelingOntwerp {
    QString componentName;
    QString titel;
    QString koppelingCaption;
    // The Boolean that says the link is on; none for a page without check box.
    SettingAccessor koppeling;
    std::vector<KoppelingVeld> velden;
    // A fixed hint below the boxes, when the page has one.
    QString hint;
};

template <class Block>
KoppelingVeld veld(const char* name, const char* label, Setting<QString> Block::*setting, bool masked = false)
{
    return {QString::fromUtf8(name), QString::fromUtf8(label), settingOf(setting), masked};
}

// The shared design of the link pages: a frame "fraKoppeling" with the check
// box "chkKoppeling" that switches the link on, and up to five text boxes,
// each bound to its setting. The text boxes stay usable whether or not the
// link is on. The fill is guarded: it never writes the link back, so filling
// a page never flips it. A page adds its own controls to rows() and then
// calls finishLayout().
class KoppelingPage : public SettingsPage {
public:
    QString Titel() const override { return titel_; }

protected:
    explicit KoppelingPage(const KoppelingOntwerp& ontwerp);

    bool guardsFill() const override { return true; }

    RowLayout& rows() { return *rows_; }
    void finishLayout();
    TextBox& textBox(const QString& name) { return form().get<TextBox>(name); }
    // A label as a link to an outside address, opened through the shell when
    // clicked (not while the page fills).
    Label& addLink(Control& parent, const QString& name, int index, const QString& address);
    // A "..." button right of a folder box (after finishLayout); the box is
    // then filled only by the button.
    CommandButton& addFolderButton(TextBox& box, const QString& name, const QString& toolTip = QString());

    static constexpr int InnerWidth = 6000;
    static constexpr int FieldWidth = 3780;
    static constexpr int LabelWidth = 2100;

    Frame& fraKoppeling;
    CheckBox* chkKoppeling = nullptr;

private:
    QString titel_;
    std::optional<RowLayout> rows_;
};

} // namespace tarvelo
