#pragma once

#include "app/render/ControlView.h"

class QComboBox;
class QListWidget;

namespace tarvelo {

class ComboBox;
class ListBox;

class ComboBoxView final : public FieldView {
public:
    ComboBoxView(FormView& owner, ComboBox& combo, QWidget* parent);
    void syncLists() override;

private:
    void syncProperty(Property property) override;
    void showModelState() override { syncLists(); }
    int markerInset() const override;
    void showMarkerState(SettingMarker marker) override;
    void showNoChoice();

    ComboBox& combo_;
    QComboBox* box_;
};

class ListBoxView final : public FieldView {
public:
    ListBoxView(FormView& owner, ListBox& list, QWidget* parent);
    void syncLists() override;

private:
    // Read as it is when locked: the model refuses a change, and the view shows the model again.
    bool readOnlyWhenLocked() const override { return true; }
    void syncProperty(Property property) override;
    void showModelState() override { syncLists(); }

    ListBox& list_;
    QListWidget* listWidget_;
    int shownCount_ = -1;
};

} // namespace tarvelo
