#pragma once

#include "app/render/ControlView.h"

class QLineEdit;
class QPlainTextEdit;

namespace tarvelo {

class TextBox;

// A text box: a line edit, or a plain-text editor for a multi-line box. Every
// edit is typed into the model; leaving the box runs its validation.
class TextBoxView final : public FieldView {
public:
    TextBoxView(FormView& owner, TextBox& box, QWidget* parent);

private:
    void syncProperty(Property property) override;
    void showModelState() override { syncProperty(Property::Text); }
    void leftByUser() override;
    bool readOnly() const override;
    bool readOnlyWhenLocked() const override { return true; }
    void showMarkerState(SettingMarker) override { showReadOnly(); }
    void showReadOnly();
    void markerInside(bool inside) override;
    void syncText();

    TextBox& box_;
    QLineEdit* line_ = nullptr;
    QPlainTextEdit* plain_ = nullptr;
    bool shownReadOnly_ = false;
};

} // namespace tarvelo
