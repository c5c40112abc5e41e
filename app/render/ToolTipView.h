#pragma once

#include "framework/tooltip/CToolTip.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

class QLabel;

namespace tarvelo {

// The window of a tip: a plain rectangle, or a balloon with rounded corners
// and a stem that points at the tool; a title line with an icon above the text
// when the tip has one.
class ToolTipBubble final : public QWidget {
public:
    explicit ToolTipBubble(QWidget* parent);

    void setContent(const ToolTipWindow& window);
    // Where the stem sits: on the top edge (the tip hangs below the tool) or
    // the bottom edge, x pixels from the left.
    void setStem(bool onTop, int x);
    bool stemOnTop() const { return stemOnTop_; }
    bool isBalloon() const { return balloon_; }

    static constexpr int StemHeight = 12;
    static constexpr int StemWidth = 16;
    static constexpr int Radius = 8;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void setMargins();

    QLabel* icon_;
    QLabel* title_;
    QLabel* text_;
    QColor back_;
    QColor fore_;
    bool balloon_ = false;
    bool stemOnTop_ = true;
    int stemX_ = 0;
};

// A created tip of the control model drawn for its tool's widget: it appears
// DelayTime milliseconds after the mouse enters the tool, stays VisibleTime
// milliseconds, and goes when the mouse leaves or clicks. A change of the tip
// reaches a shown tip at once.
class ToolTipView final : public QObject {
public:
    explicit ToolTipView(QWidget& tool);
    ~ToolTipView() override;

    // The tip as the model has it now.
    void follow(const ToolTipWindow& window);

    // The tip's window while it shows, else null.
    QWidget* shownWindow() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showTip();
    void hideTip();
    void place();

    QPointer<QWidget> tool_;
    ToolTipWindow window_;
    QPointer<ToolTipBubble> bubble_;
    QTimer delay_;
    QTimer visible_;
};

} // namespace tarvelo
