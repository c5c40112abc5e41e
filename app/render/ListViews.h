#pragma once

#include "app/render/ControlView.h"

class QComboBox;
class QListWidget;

namespace tarvelo {

class ComboBox;
class ListBox;

class ComboBoxView final : public ControlView {
public:
    ComboBoxView(FormView& owner, ComboBox& combo, QWidget* parent);
    void syncLists() override;

private:
    void syncProperty(Property property) override;
    void showModelState() override { syncLists(); }
    QPalette::ColorRole backgroundRole() const override { return QPalette::Base; }
    QPalette::ColorRole foregroundRole() const override { return QPalette::Text; }
    bool opaque() const override { return false; }

    ComboBox& combo_;
    QComboBox* box_;
};

class ListBoxView final : public ControlView {
public:
    ListBoxView(FormView& owner, ListBox& list, QWidget* parent);
    void syncLists() override;

private:
    void syncProperty(Property property) override;
    void showModelState() override { syncLists(); }
    QPalette::ColorRole backgroundRole() const override { return QPalette::Base; }
    QPalette::ColorRole foregroundRole() const override { return QPalette::Text; }
    bool opaque() const override { return false; }

    ListBox& list_;
    QListWidget* listWidget_;
    int shownCount_ = -1;
};

} // namespace tarvelo
