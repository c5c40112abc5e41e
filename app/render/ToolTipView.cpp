#include "app/render/ToolTipView.h"

#include "app/render/QtConversions.h"

#include <QCursor>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QStyle>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int IconSize = 16;
// A tip under the mouse starts below the pointer, not on it.
constexpr int BelowPointer = 16;
const QColor FrameColour(118, 118, 118);

QStyle::StandardPixmap iconPixmap(ttIconType icon)
{
    switch (icon) {
    case ttIconType::TTIconWarning: return QStyle::SP_MessageBoxWarning;
    case ttIconType::TTIconError: return QStyle::SP_MessageBoxCritical;
    default: return QStyle::SP_MessageBoxInformation;
    }
}
} // namespace

ToolTipBubble::ToolTipBubble(QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      icon_(new QLabel(this)),
      title_(new QLabel(this)),
      text_(new QLabel(this))
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFont(QToolTip::font());
    icon_->setObjectName(u"Icon"_s);
    title_->setObjectName(u"Title"_s);
    text_->setObjectName(u"Text"_s);
    title_->setTextFormat(Qt::PlainText);
    text_->setTextFormat(Qt::PlainText);
    QFont bold = font();
    bold.setBold(true);
    title_->setFont(bold);

    auto* titleRow = new QHBoxLayout;
    titleRow->setSpacing(6);
    titleRow->addWidget(icon_);
    titleRow->addWidget(title_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(4);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(titleRow);
    layout->addWidget(text_);
}

void ToolTipBubble::setContent(const ToolTipWindow& window)
{
    balloon_ = window.isBalloon();
    const QPalette tips = QToolTip::palette();
    back_ = window.backColor ? toQColor(*window.backColor, tips) : tips.color(QPalette::ToolTipBase);
    fore_ = window.foreColor ? toQColor(*window.foreColor, tips) : tips.color(QPalette::ToolTipText);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, fore_);
    setPalette(p);

    // Without an icon the title line is the title alone.
    const bool hasIcon = window.showsTitle && window.icon != ttIconType::TTNoIcon;
    icon_->setVisible(hasIcon);
    if (hasIcon)
        icon_->setPixmap(style()->standardIcon(iconPixmap(window.icon)).pixmap(IconSize, IconSize));
    title_->setVisible(window.showsTitle);
    title_->setText(window.title);
    text_->setText(QString(window.text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    setMargins();
    update();
}

void ToolTipBubble::setStem(bool onTop, int x)
{
    stemOnTop_ = onTop;
    stemX_ = x;
    setMargins();
    update();
}

void ToolTipBubble::setMargins()
{
    if (!balloon_) {
        layout()->setContentsMargins(5, 3, 5, 3);
    } else {
        layout()->setContentsMargins(10, 8 + (stemOnTop_ ? StemHeight : 0), 10, 8 + (stemOnTop_ ? 0 : StemHeight));
    }
    layout()->activate();
}

void ToolTipBubble::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, balloon_);
    if (!balloon_) {
        painter.fillRect(rect(), back_);
        painter.setPen(FrameColour);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        return;
    }
    const QRectF outline = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const QRectF body = outline.adjusted(0, stemOnTop_ ? StemHeight : 0, 0, stemOnTop_ ? 0 : -StemHeight);
    QPainterPath shape;
    shape.addRoundedRect(body, Radius, Radius);
    // The stem: its point on the outer edge at stemX_, its foot a little inside the body.
    const qreal edge = stemOnTop_ ? outline.top() : outline.bottom();
    const qreal foot = stemOnTop_ ? body.top() + 1 : body.bottom() - 1;
    QPainterPath stem;
    stem.moveTo(stemX_ + 0.5, edge);
    stem.lineTo(stemX_ + 0.5, foot);
    stem.lineTo(stemX_ + 0.5 + StemWidth, foot);
    stem.closeSubpath();
    shape = shape.united(stem);
    painter.setPen(QPen(FrameColour, 1));
    painter.setBrush(back_);
    painter.drawPath(shape);
}

ToolTipView::ToolTipView(QWidget& tool) : tool_(&tool)
{
    delay_.setSingleShot(true);
    visible_.setSingleShot(true);
    QObject::connect(&delay_, &QTimer::timeout, this, [this] { showTip(); });
    QObject::connect(&visible_, &QTimer::timeout, this, [this] { hideTip(); });
    tool.installEventFilter(this);
}

ToolTipView::~ToolTipView()
{
    if (tool_)
        tool_->removeEventFilter(this);
    delete bubble_.data();
}

void ToolTipView::follow(const ToolTipWindow& window)
{
    window_ = window;
    if (!shownWindow())
        return;
    // A tip without text has nothing to show.
    if (window_.text.isEmpty()) {
        hideTip();
        return;
    }
    bubble_->setContent(window_);
    place();
}

QWidget* ToolTipView::shownWindow() const { return bubble_ && bubble_->isVisible() ? bubble_.data() : nullptr; }

bool ToolTipView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != tool_)
        return false;
    switch (event->type()) {
    case QEvent::Enter:
        if (!shownWindow())
            delay_.start(std::max(0, window_.initialDelay));
        break;
    case QEvent::Leave:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::Hide:
    case QEvent::WindowDeactivate: hideTip(); break;
    default: break;
    }
    return false;
}

void ToolTipView::showTip()
{
    if (!tool_ || !tool_->isVisible() || window_.text.isEmpty())
        return;
    if (!bubble_) {
        bubble_ = new ToolTipBubble(tool_->window());
        bubble_->setObjectName(tool_->objectName() + u".ToolTip"_s);
    }
    bubble_->setContent(window_);
    place();
    bubble_->show();
    if (window_.autoPop > 0)
        visible_.start(window_.autoPop);
}

void ToolTipView::hideTip()
{
    delay_.stop();
    visible_.stop();
    if (bubble_)
        bubble_->hide();
}

void ToolTipView::place()
{
    QWidget& tool = *tool_;
    ToolTipBubble& bubble = *bubble_;
    const QRect toolRect(tool.mapToGlobal(QPoint(0, 0)), tool.size());
    const QRect area = tool.screen() ? tool.screen()->availableGeometry() : QRect(0, 0, 1920, 1080);
    const QPoint pointer = QCursor::pos(tool.screen());
    // A centred tip, or one shown while the mouse is elsewhere, hangs from the
    // middle of the tool's lower edge; otherwise from the mouse pointer.
    const bool centred = window_.isCentered() || !toolRect.contains(pointer);
    const int anchorX = centred ? toolRect.center().x() : pointer.x();
    const int belowY = centred ? toolRect.bottom() + 1 : pointer.y() + BelowPointer;
    const int aboveY = centred ? toolRect.top() - 1 : pointer.y();

    bubble.setStem(true, 0);
    const QSize size = bubble.sizeHint().expandedTo(bubble.minimumSizeHint());
    const bool below = belowY + size.height() <= area.bottom() + 1 || aboveY - size.height() < area.top();
    int left = 0;
    if (bubble.isBalloon()) {
        // The stem's point is what touches the anchor.
        const int stemX = centred ? size.width() / 2 : ToolTipBubble::Radius + 4;
        left = std::clamp(anchorX - stemX, area.left(), std::max(area.left(), area.right() + 1 - size.width()));
        const int lowest = ToolTipBubble::Radius;
        const int highest = std::max(lowest, size.width() - ToolTipBubble::Radius - ToolTipBubble::StemWidth);
        bubble.setStem(below, std::clamp(anchorX - left, lowest, highest));
    } else {
        left = centred ? anchorX - size.width() / 2 : anchorX;
        left = std::clamp(left, area.left(), std::max(area.left(), area.right() + 1 - size.width()));
    }
    bubble.adjustSize();
    bubble.move(left, below ? belowY : aboveY - bubble.height());
}

} // namespace tarvelo
