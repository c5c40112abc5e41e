#pragma once

#include <QString>
#include <vector>

namespace tarvelo {

class Bindings;
class Form;

// What the user has made of an open page that filling it again must not take
// away: the text of a box typed in and not left yet, the choices of lists and
// combos that show no setting, and the field with the focus.
class KeptView {
public:
    KeptView(Form& form, const Bindings& bindings);

    // The typed texts, put back as they were; the boxes still hold the user's edit.
    void restoreTyped() const;
    // The choices, made again as the user would make them, so that what
    // depends on a choice follows; then the focus.
    void restoreChoices() const;

private:
    struct Kept {
        QString name;
        int index = -1;
        QString value;
        int selStart = 0;
        int selLength = 0;
    };
    Form& form_;
    std::vector<Kept> typed_, combos_, lists_;
    Kept focus_;
};

} // namespace tarvelo
