#include "app/render/TextBoxView.h"

#include "app/render/FormView.h"
#include "app/render/LineEditAccessibility.h"
#include "framework/forms/TextBox.h"

#include <QLineEdit>
#include <QPlainTextEdit>

namespace tarvelo {

TextBoxView::TextBoxView(FormView& owner, TextBox& box, QWidget* parent) : FieldView(owner, box), box_(box)
{
    // Whether a box has more than one line is fixed when the page declares it.
    if (box.multiLine()) {
        plain_ = new QPlainTextEdit(parent);
        plain_->setTabChangesFocus(true);
        setWidget(plain_);
        QObject::connect(plain_, &QPlainTextEdit::textChanged, this,
                         [this] { forward([this] { box_.type(plain_->toPlainText()); }); });
    } else {
        line_ = new QLineEdit(parent);
        readOnlyAwareAccessibility(*line_);
        setWidget(line_);
        QObject::connect(line_, &QLineEdit::textEdited, this,
                         [this](const QString& text) { forward([this, text] { box_.type(text); }); });
    }
}

void TextBoxView::syncText()
{
    if (line_) {
        if (line_->text() == box_.text())
            return;
        const int cursor = line_->cursorPosition();
        line_->setText(box_.text());
        line_->setCursorPosition(std::min<int>(cursor, box_.text().size()));
    } else if (plain_->toPlainText() != box_.text()) {
        plain_->setPlainText(box_.text());
    }
}

void TextBoxView::syncProperty(Property property)
{
    switch (property) {
    case Property::Text: syncText(); break;
    case Property::Selection:
        if (line_)
            line_->setSelection(box_.selStart(), box_.selLength());
        break;
    case Property::Other:
        if (line_) {
            line_->setMaxLength(box_.maxLength() > 0 ? box_.maxLength() : 32767);
            line_->setEchoMode(box_.passwordChar().isNull() ? QLineEdit::Normal : QLineEdit::Password);
            line_->setAlignment(toQtAlignment(box_.alignment()) | Qt::AlignVCenter);
        }
        showReadOnly();
        break;
    default: break;
    }
}

void TextBoxView::showReadOnly()
{
    if (readOnly() == shownReadOnly_)
        return;
    shownReadOnly_ = readOnly();
    if (line_)
        line_->setReadOnly(shownReadOnly_);
    else
        plain_->setReadOnly(shownReadOnly_);
    refreshColours();
}

// A box whose setting the administrator locked is read, not changed.
bool TextBoxView::readOnly() const { return box_.locked() || lockedSetting(); }

void TextBoxView::markerInside(bool inside)
{
    // The text stops before a marker drawn in the box's end.
    const QMargins margins(0, 0, inside ? 14 : 0, 0);
    if (line_ && line_->textMargins() != margins)
        line_->setTextMargins(margins);
}

void TextBoxView::leftByUser()
{
    if (!box_.leave())
        owner().refuseLeaving(*this);
}

} // namespace tarvelo
