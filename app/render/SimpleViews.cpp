#include "app/render/SimpleViews.h"

#include "app/render/ButtonKeys.h"

#include "app/render/FormView.h"
#include "app/render/TextBaseline.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Image.h"
#include "framework/forms/Label.h"
#include "framework/forms/Line.h"
#include "framework/forms/ProgressBar.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>

namespace tarvelo {

// A group box that can also draw nothing of its own.
class FrameBox final : public QGroupBox {
public:
    using QGroupBox::QGroupBox;
    void setGrouping(bool on)
    {
        if (grouping_ != on) {
            grouping_ = on;
            update();
        }
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        if (!grouping_)
            QGroupBox::paintEvent(event);
    }

private:
    bool grouping_ = false;
};

FrameView::FrameView(FormView& owner, Frame& frame, QWidget* parent)
    : ControlView(owner, frame),
      frame_(frame),
      box_(new FrameBox(parent))
{
    setWidget(box_);
}

QWidget* FrameView::containerWidget() const { return box_; }

void FrameView::syncProperty(Property property)
{
    if (property == Property::Caption) {
        box_->setTitle(frame_.caption());
        box_->setGrouping(frame_.caption().isEmpty() && frame_.parent() &&
                          frame_.parent()->kind() == ControlKind::Frame);
    }
}

namespace {
// A hint reads as an aside: the theme's placeholder colour unless the page
// chose a text colour of its own.
QColor hintColour(const QPalette& palette)
{
    QColor c = palette.color(QPalette::Active, QPalette::WindowText);
    const QColor back = palette.color(QPalette::Active, QPalette::Window);
    return QColor((c.red() * 3 + back.red() * 2) / 5, (c.green() * 3 + back.green() * 2) / 5,
                  (c.blue() * 3 + back.blue() * 2) / 5);
}
} // namespace

namespace {
// A label and the labels that read on in it, as one paragraph; a run in a
// bold or italic font keeps it.
QString paragraphHtml(const Label& label)
{
    const auto part = [](const Label& l) {
        QString html = withoutAccessKey(l.caption()).toHtmlEscaped().replace(u'\n', u"<br>"_s);
        if (l.font().bold)
            html = u"<b>"_s + html + u"</b>"_s;
        if (l.font().italic)
            html = u"<i>"_s + html + u"</i>"_s;
        return html;
    };
    QString html = part(label);
    for (const Label* run : label.runs())
        html += u' ' + part(*run);
    return html;
}
} // namespace

LabelView::LabelView(FormView& owner, Label& label, QWidget* parent)
    : ControlView(owner, label),
      label_(label),
      text_(new QLabel(parent))
{
    text_->setTextFormat(Qt::PlainText);
    setWidget(text_);
}

void LabelView::syncProperty(Property property)
{
    switch (property) {
    case Property::Caption:
        syncCaption();
        alignWithField();
        break;
    case Property::Bounds:
    case Property::Font: alignWithField(); break;
    case Property::Other:
        text_->setWordWrap(label_.wordWrap());
        text_->setAlignment(toQtAlignment(label_.alignment()) | Qt::AlignTop);
        if (label_.isLink()) {
            text_->setCursor(Qt::PointingHandCursor);
            QFont font = text_->font();
            font.setUnderline(true);
            text_->setFont(font);
            QPalette p = text_->palette();
            p.setColor(QPalette::WindowText, p.color(QPalette::Link));
            text_->setPalette(p);
        } else {
            text_->unsetCursor();
        }
        break;
    case Property::BackColor:
        if (label_.kind() == ControlKind::Hint && label_.foreColor() == SystemColour::ButtonText) {
            QPalette p = text_->palette();
            const QColor quiet = hintColour(p);
            p.setColor(QPalette::Active, QPalette::WindowText, quiet);
            p.setColor(QPalette::Inactive, QPalette::WindowText, quiet);
            text_->setPalette(p);
        }
        break;
    default: break;
    }
}

CommandButtonView::CommandButtonView(FormView& owner, CommandButton& button, QWidget* parent)
    : ControlView(owner, button),
      button_(button),
      push_(new QPushButton(parent))
{
    setWidget(push_);
    pressOnReturn(*push_);
    QObject::connect(push_, &QPushButton::clicked, this, [this] { forward([this] { button_.click(); }); });
}

void CommandButtonView::syncProperty(Property property)
{
    switch (property) {
    case Property::Caption: push_->setText(button_.caption()); break;
    case Property::Other: push_->setDefault(button_.isDefault()); break;
    default: break;
    }
}

void LabelView::syncCaption()
{
    // A hint shows its text as written; only a label's "&" marks an access
    // key, which Qt draws (and answers) once the label names a field.
    if (!label_.runs().empty()) {
        text_->setTextFormat(Qt::RichText);
        text_->setText(paragraphHtml(label_));
    } else if (label_.kind() == ControlKind::Hint)
        text_->setText(label_.caption());
    else
        text_->setText(text_->buddy() ? label_.caption() : withoutAccessKey(label_.caption()));
}

void LabelView::alignWithField()
{
    const Control* field = label_.buddy();
    if (!field || field->parent() != label_.parent() || label_.wordWrap() || !label_.runs().empty() ||
        label_.caption().contains(u'\n'))
        return;
    const QWidget* fieldWidget = owner().widgetOf(*field);
    if (!fieldWidget)
        return;
    const QRect mine = scale().rect(label_);
    const QRect theirs = scale().rect(*field);
    // A label above its field keeps its place.
    if (mine.bottom() < theirs.top() || mine.top() > theirs.bottom())
        return;
    const int baseline = fieldTextBaseline(*fieldWidget, theirs.size());
    if (baseline < 0)
        return;
    const int top = theirs.top() + baseline - labelTextBaseline(*text_);
    if (top != text_->y())
        text_->move(mine.left(), top);
}

void LabelView::setBuddy(QWidget* field, QWidget* focus)
{
    focus_ = focus;
    if (text_->buddy() == field)
        return;
    silently([&] {
        text_->setBuddy(field);
        syncCaption();
    });
}

bool LabelView::eventFilter(QObject* watched, QEvent* event)
{
    // The access key only moves the focus, also to a check box: choosing is
    // the user's next key, not the label's.
    if (event->type() == QEvent::Shortcut && watched == text_ && !syncing()) {
        if (focus_ && focus_->isEnabled())
            focus_->setFocus(Qt::ShortcutFocusReason);
        return true;
    }
    if (label_.isLink() && event->type() == QEvent::MouseButtonRelease && !syncing())
        forward([this] { label_.click(); });
    return ControlView::eventFilter(watched, event);
}

ImageView::ImageView(FormView& owner, Image& image, QWidget* parent)
    : ControlView(owner, image),
      image_(image),
      picture_(new QLabel(parent))
{
    picture_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWidget(picture_);
}

void ImageView::syncProperty(Property property)
{
    if (property != Property::Picture)
        return;
    picture_->setScaledContents(image_.stretch());
    picture_->setPixmap(image_.picture().isEmpty() ? QPixmap() : QPixmap(image_.picture()));
}

bool ImageView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease && !syncing())
        forward([this] { image_.click(); });
    return ControlView::eventFilter(watched, event);
}

ProgressBarView::ProgressBarView(FormView& owner, ProgressBar& bar, QWidget* parent)
    : ControlView(owner, bar),
      bar_(bar),
      progress_(new QProgressBar(parent))
{
    progress_->setTextVisible(false);
    setWidget(progress_);
}

void ProgressBarView::syncProperty(Property property)
{
    if (property == Property::ForeColor || property == Property::BackColor) {
        // A bar given a colour of its own (not a system colour) fills in it.
        if ((bar_.foreColor() & 0x80000000u) == 0) {
            QPalette palette = progress_->palette();
            palette.setColor(QPalette::Highlight, toQColor(bar_.foreColor(), palette));
            progress_->setPalette(palette);
        }
        return;
    }
    if (property != Property::Value)
        return;
    progress_->setRange(bar_.min(), std::max(bar_.min(), bar_.max()));
    progress_->setValue(std::clamp(bar_.value(), bar_.min(), std::max(bar_.min(), bar_.max())));
}

namespace {
// Draws the line between its two points inside its bounding box.
class LineWidget final : public QWidget {
public:
    LineWidget(const Line& line, const TwipsScale& scale, QWidget* parent) : QWidget(parent), line_(line), scale_(scale)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setPen(QPen(toQColor(line_.borderColor(), palette()), 1));
        const int left = scale_.x(line_.left());
        const int top = scale_.y(line_.top());
        painter.drawLine(scale_.x(line_.x1()) - left, scale_.y(line_.y1()) - top, scale_.x(line_.x2()) - left,
                         scale_.y(line_.y2()) - top);
    }

private:
    const Line& line_;
    const TwipsScale& scale_;
};
} // namespace

LineView::LineView(FormView& owner, Line& line, QWidget* parent) : ControlView(owner, line), line_(line)
{
    setWidget(new LineWidget(line, scale(), parent));
}

void LineView::syncProperty(Property property)
{
    // A horizontal or vertical line has no height or width of its own: the
    // widget keeps one pixel so that the line is drawn.
    if (property == Property::Bounds || property == Property::Other) {
        const QRect r = scale().rect(line_);
        widget()->setGeometry(r.x(), r.y(), r.width() + 1, r.height() + 1);
        widget()->update();
    } else if (property == Property::ForeColor) {
        widget()->update();
    }
}

} // namespace tarvelo
