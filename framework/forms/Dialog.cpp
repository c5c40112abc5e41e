#include "framework/forms/Dialog.h"

#include "framework/errors/RuntimeError.h"
#include "framework/forms/CommandButton.h"
#include "framework/host/Application.h"
#include "framework/page/DpiScaling.h"
#include "framework/page/RowLayout.h"

#include <QScopeGuard>
#include <algorithm>

namespace tarvelo {

Dialog::Dialog(const QString& name, const QString& errorContext, const QString& errorMessage)
    : Form(name),
      Procedures(
          name, [errorContext] { return errorContext; }, errorMessage)
{
    setVisible(false);
    // Hidden without an answer of its own: the close box or Escape.
    Closed.connect([this] {
        if (!answering_)
            cancelled_ = true;
    });
}

void Dialog::setApplication(Application& application)
{
    cancelled_ = false;
    setHost(&application);
}

Ui& Dialog::ui() const { return app().ui(); }

void Dialog::setBackColor(Colour colour)
{
    Form::setBackColor(colour);
    SetControlsBackColor(controls(), colour, {}, SystemColour::ButtonFace);
}

void Dialog::placeButtonRow(std::initializer_list<CommandButton*> buttons, CommandButton* defaultButton,
                            CommandButton* cancelButton, CommandButton* resetButton)
{
    // Kept as the dialog's last layout step, so that a caption that grows,
    // a button shown or hidden or contents that change size place the row
    // and size the dialog again.
    const std::vector<CommandButton*> row(buttons);
    for (CommandButton* b : row)
        noteLaidOut(*b, true);
    if (resetButton)
        noteLaidOut(*resetButton, true);
    setRootLayout([this, row, resetButton] { arrangeButtonRow(row, resetButton); });
    if (defaultButton)
        defaultButton->setDefault(true);
    if (cancelButton)
        cancelButton->setCancel(true);
    arrangeButtonRow(row, resetButton);
}

void Dialog::arrangeButtonRow(const std::vector<CommandButton*>& buttons, CommandButton* resetButton)
{
    const auto inRow = [&](const Control* c) {
        return c == resetButton || std::find(buttons.begin(), buttons.end(), c) != buttons.end();
    };
    // The contents' left margin is kept on the right and below, so the row
    // ends where the contents end.
    int contentsLeft = -1;
    int contentsRight = 0;
    int contentsBottom = 0;
    for (const Control* c : controls()) {
        if (c->parent() != this || !c->visible() || inRow(c))
            continue;
        contentsLeft = contentsLeft < 0 ? c->left() : std::min(contentsLeft, c->left());
        contentsRight = std::max(contentsRight, c->right());
        contentsBottom = std::max(contentsBottom, c->bottom());
    }
    const int margin = contentsLeft > 0 ? contentsLeft : RowLayout::DialogMargin;
    const auto widthOf = [&](const CommandButton& b) {
        return std::max(RowLayout::ButtonWidth, RowLayout::captionWidth(b));
    };
    int rowWidth = 0;
    for (const CommandButton* b : buttons)
        if (b->visible())
            rowWidth += (rowWidth ? RowLayout::DialogMargin : 0) + widthOf(*b);
    if (resetButton && resetButton->visible())
        rowWidth += (rowWidth ? 2 * RowLayout::DialogMargin : 0) + widthOf(*resetButton);
    const int width = std::max(contentsRight + margin, rowWidth + 2 * margin);
    const int top = contentsBottom + margin;
    int right = width - margin;
    for (auto it = std::rbegin(buttons); it != std::rend(buttons); ++it) {
        CommandButton& b = **it;
        if (!b.visible())
            continue;
        const int w = widthOf(b);
        b.setBounds(right - w, top, w, RowLayout::ButtonHeight);
        right -= w + RowLayout::DialogMargin;
    }
    if (resetButton)
        resetButton->setBounds(margin, top, widthOf(*resetButton), RowLayout::ButtonHeight);
    setBorderHeight(TitleBarHeight);
    setBounds(left(), this->top(), width, top + RowLayout::ButtonHeight + margin + TitleBarHeight);
}

void Dialog::close(bool cancelled)
{
    cancelled_ = cancelled;
    answering_ = true;
    const auto answered = qScopeGuard([this] { answering_ = false; });
    hide();
}

} // namespace tarvelo
