#include "app/render/TextBaseline.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>

namespace tarvelo {

namespace {

// A line edit centres its text line in its contents, as QLineEdit paints it.
int lineEditBaseline(const QLineEdit& edit, const QSize& size)
{
    QStyleOptionFrame panel;
    panel.initFrom(&edit);
    panel.rect = QRect(QPoint(0, 0), size);
    panel.lineWidth = edit.hasFrame() ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &panel, &edit) : 0;
    panel.midLineWidth = 0;
    panel.state |= QStyle::State_Sunken;
    const QRect r =
        edit.style()->subElementRect(QStyle::SE_LineEditContents, &panel, &edit).marginsRemoved(edit.textMargins());
    const QFontMetrics fm = edit.fontMetrics();
    return r.y() + (r.height() - fm.height() + 1) / 2 + fm.ascent();
}

} // namespace

int fieldTextBaseline(const QWidget& field, const QSize& size)
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(&field))
        return lineEditBaseline(*edit, size);
    const auto* combo = qobject_cast<const QComboBox*>(&field);
    if (!combo)
        return -1;
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.rect = QRect(QPoint(0, 0), size);
    option.editable = combo->isEditable();
    option.frame = combo->hasFrame();
    const QRect edit =
        combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
    if (combo->isEditable() && combo->lineEdit())
        return edit.top() + lineEditBaseline(*combo->lineEdit(), edit.size());
    // The current text is drawn centred in the edit field.
    const QFontMetrics fm = combo->fontMetrics();
    return edit.top() + (edit.height() - fm.height()) / 2 + fm.ascent();
}

int labelTextBaseline(const QLabel& label)
{
    const QRect r = label.contentsRect();
    const QFontMetrics fm = label.fontMetrics();
    const Qt::Alignment vertical = label.alignment() & Qt::AlignVertical_Mask;
    if (vertical & Qt::AlignBottom)
        return r.bottom() + 1 - fm.height() + fm.ascent();
    if (vertical & Qt::AlignVCenter) {
        const int lines = label.wordWrap() ? std::max(1, label.heightForWidth(label.width()) / fm.height()) : 1;
        return r.top() + (r.height() - lines * fm.height()) / 2 + fm.ascent();
    }
    return r.top() + fm.ascent();
}

} // namespace tarvelo
