#pragma once

#include "app/render/ControlView.h"

class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace tarvelo {

class CommandButton;
class Frame;
class Image;
class Label;
class Line;
class ProgressBar;

// A frame: a captioned group box that holds its controls.
class FrameBox;

// A frame: a group box with its caption, or, for a frame without a caption
// inside another frame, only the room its controls share (a box in a box
// would read as a section of its own).
class FrameView final : public ControlView {
public:
    FrameView(FormView& owner, Frame& frame, QWidget* parent);
    QWidget* containerWidget() const override;

private:
    void syncProperty(Property property) override;
    Frame& frame_;
    FrameBox* box_;
};

// A label, or a hint: an explanatory text drawn in a quieter colour.
class LabelView final : public ControlView {
public:
    LabelView(FormView& owner, Label& label, QWidget* parent);

    Label& label() const { return label_; }
    // The field this label names, or null: its "&" access key then moves the
    // focus to focus (the field, or the first part of it), and a screen
    // reader reads the field by this label.
    void setBuddy(QWidget* field, QWidget* focus);
    // A label beside the one-line field it names writes on that field's
    // baseline; the form view calls this when the field moved.
    void alignWithField();

private:
    void syncProperty(Property property) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void syncCaption();
    Label& label_;
    QLabel* text_;
    QPointer<QWidget> focus_;
};

class CommandButtonView final : public ControlView {
public:
    CommandButtonView(FormView& owner, CommandButton& button, QWidget* parent);

private:
    void syncProperty(Property property) override;
    QPalette::ColorRole backgroundRole() const override { return QPalette::Button; }
    QPalette::ColorRole foregroundRole() const override { return QPalette::ButtonText; }
    bool opaque() const override { return false; }
    CommandButton& button_;
    QPushButton* push_;
};

class ImageView final : public ControlView {
public:
    ImageView(FormView& owner, Image& image, QWidget* parent);

private:
    void syncProperty(Property property) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    Image& image_;
    QLabel* picture_;
};

class ProgressBarView final : public ControlView {
public:
    ProgressBarView(FormView& owner, ProgressBar& bar, QWidget* parent);

private:
    void syncProperty(Property property) override;
    ProgressBar& bar_;
    QProgressBar* progress_;
};

class LineView final : public ControlView {
public:
    LineView(FormView& owner, Line& line, QWidget* parent);

private:
    void syncProperty(Property property) override;
    Line& line_;
};

} // namespace tarvelo
