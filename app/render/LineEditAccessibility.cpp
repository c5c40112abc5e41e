#include "app/render/LineEditAccessibility.h"

#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QLineEdit>
#include <QValidator>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {

const char* const Marker = "tarveloReadOnlyAware";

class AccessibleLineEdit final : public QAccessibleWidget,
                                 public QAccessibleTextInterface,
                                 public QAccessibleEditableTextInterface {
public:
    explicit AccessibleLineEdit(QLineEdit* edit) : QAccessibleWidget(edit, QAccessible::EditableText) {}

    QString text(QAccessible::Text t) const override
    {
        QString text;
        if (t == QAccessible::Value)
            text = shown();
        if (text.isEmpty())
            text = QAccessibleWidget::text(t);
        if (text.isEmpty() && t == QAccessible::Description)
            text = edit()->placeholderText();
        return text;
    }

    void setText(QAccessible::Text t, const QString& text) override
    {
        if (t != QAccessible::Value) {
            QAccessibleWidget::setText(t, text);
            return;
        }
        if (edit()->isReadOnly())
            return;
        QString value = text;
        int at = 0;
        if (edit()->validator() && edit()->validator()->validate(value, at) != QValidator::Acceptable)
            return;
        edit()->setText(value);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = edit()->isReadOnly();
        state.editable = !state.readOnly;
        state.passwordEdit = edit()->echoMode() != QLineEdit::Normal;
        state.selectableText = true;
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::EditableTextInterface && !edit()->isReadOnly())
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // QAccessibleTextInterface
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    QString attributes(int offset, int* startOffset, int* endOffset) const override
    {
        // One font for the whole text: the run is all of it.
        *startOffset = offset < 0 || offset > characterCount() ? -1 : 0;
        *endOffset = *startOffset < 0 ? -1 : characterCount();
        return QString();
    }
    int cursorPosition() const override { return edit()->cursorPosition(); }
    QRect characterRect(int offset) const override
    {
        const QString text = shown();
        if (offset < 0 || offset >= text.size())
            return QRect();
        // Measured from the cursor, which the box places where it draws it
        // (after its margins, its alignment and what it scrolled); the box
        // gives the room around the cursor, with the cursor in its middle.
        const QRect cursor = edit()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const QFontMetrics metrics(edit()->font());
        const int left = cursor.left() + cursor.width() / 2 + metrics.horizontalAdvance(text.left(offset)) -
                         metrics.horizontalAdvance(text.left(edit()->cursorPosition()));
        const QRect local(left, cursor.top(), metrics.horizontalAdvance(text.mid(offset, 1)), cursor.height());
        return QRect(edit()->mapToGlobal(local.topLeft()), local.size());
    }
    int selectionCount() const override { return edit()->hasSelectedText() ? 1 : 0; }
    int offsetAtPoint(const QPoint& point) const override
    {
        return edit()->cursorPositionAt(edit()->mapFromGlobal(point));
    }
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override
    {
        *startOffset = *endOffset = 0;
        if (selectionIndex != 0 || !edit()->hasSelectedText())
            return;
        *startOffset = edit()->selectionStart();
        *endOffset = *startOffset + edit()->selectionLength();
    }
    QString text(int startOffset, int endOffset) const override
    {
        if (startOffset > endOffset)
            return QString();
        return shown().mid(startOffset, endOffset - startOffset);
    }
    void removeSelection(int selectionIndex) override
    {
        if (selectionIndex == 0)
            edit()->deselect();
    }
    void setCursorPosition(int position) override { edit()->setCursorPosition(position); }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override
    {
        if (selectionIndex == 0)
            edit()->setSelection(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(shown().size()); }
    void scrollToSubstring(int startIndex, int endIndex) override
    {
        edit()->setCursorPosition(endIndex);
        edit()->setCursorPosition(startIndex);
    }

    // QAccessibleEditableTextInterface, offered only while the box is editable.
    void deleteText(int startOffset, int endOffset) override { replaceText(startOffset, endOffset, QString()); }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int startOffset, int endOffset, const QString& text) override
    {
        if (edit()->isReadOnly())
            return;
        edit()->setText(edit()->text().replace(startOffset, endOffset - startOffset, text));
    }

private:
    QLineEdit* edit() const { return static_cast<QLineEdit*>(object()); }
    // What the box shows: a password's marks, never its characters.
    QString shown() const { return edit()->echoMode() == QLineEdit::Normal ? edit()->text() : edit()->displayText(); }
};

QAccessibleInterface* lineEditFactory(const QString& className, QObject* object)
{
    if (className != "QLineEdit"_L1 || !object || !object->property(Marker).toBool())
        return nullptr;
    auto* edit = qobject_cast<QLineEdit*>(object);
    return edit ? new AccessibleLineEdit(edit) : nullptr;
}

} // namespace

void readOnlyAwareAccessibility(QLineEdit& edit)
{
    static const bool installed = [] {
        QAccessible::installFactory(lineEditFactory);
        return true;
    }();
    Q_UNUSED(installed);
    edit.setProperty(Marker, true);
}

} // namespace tarvelo
