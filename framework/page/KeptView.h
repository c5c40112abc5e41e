#pragma once

#include <QString>
#include <vector>

namespace tarvelo {

class Bindings;
class Form;

// What the user has made of an open page that filling it again must not take
// away: the text of a box typed in and not left yet, the choices the user made
// in lists and combos that show no setting, and the field with the focus.
class KeptView {
public:
    struct Choice {
        QString name;
        int index = -1;
        QString value;
    };
    using Choices = std::vector<Choice>;
    // The choices of the lists and combos that show no setting, as they are now.
    static Choices choicesOf(const Form& form, const Bindings& bindings);

    // asFilled: the choices as the page's last fill left them; only those the
    // user changed since are the user's to keep. A choice the fill makes from
    // a setting (the company a page fills its combo with) thus shows what is
    // stored now.
    KeptView(Form& form, const Bindings& bindings, const Choices& asFilled);

    // The typed texts, put back as they were; the boxes still hold the user's edit.
    void restoreTyped() const;
    // The user's choices, made again as the user made them, so that what
    // depends on a choice follows; then the focus.
    void restoreChoices() const;

private:
    struct Typed {
        QString name;
        int index = -1;
        QString text;
        int selStart = 0;
        int selLength = 0;
    };
    Form& form_;
    std::vector<Typed> typed_;
    // The user's choices in the page's order.
    Choices choices_;
    Choice focus_;
};

} // namespace tarvelo
