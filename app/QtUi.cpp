#include "app/QtUi.h"

#include "app/WindowPages.h"
#include "app/render/FormView.h"
#include "framework/forms/Form.h"
#include "framework/ui/MessageDetails.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFontMetrics>
#include <QHash>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace tarvelo {

QWidget* QtUi::parentWidget() const
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (owner_)
        return owner_;
    return QApplication::activeWindow();
}

MsgResult QtUi::messageBox(const MessageBoxRequest& request)
{
    struct Choice {
        const char* text;
        MsgResult result;
        QMessageBox::ButtonRole role;
    };
    static const Choice ok{"OK", MsgResult::OK, QMessageBox::AcceptRole};
    static const Choice cancel{"Annuleren", MsgResult::Cancel, QMessageBox::RejectRole};
    static const Choice yes{"Ja", MsgResult::Yes, QMessageBox::YesRole};
    static const Choice no{"Nee", MsgResult::No, QMessageBox::NoRole};
    static const Choice abort{"Afbreken", MsgResult::Abort, QMessageBox::RejectRole};
    static const Choice retry{"Opnieuw", MsgResult::Retry, QMessageBox::AcceptRole};
    static const Choice ignore{"Negeren", MsgResult::Ignore, QMessageBox::AcceptRole};
    std::vector<Choice> choices;
    switch (request.buttons) {
    case MsgButtons::OK: choices = {ok}; break;
    case MsgButtons::OKCancel: choices = {ok, cancel}; break;
    case MsgButtons::AbortRetryIgnore: choices = {abort, retry, ignore}; break;
    case MsgButtons::YesNoCancel: choices = {yes, no, cancel}; break;
    case MsgButtons::YesNo: choices = {yes, no}; break;
    case MsgButtons::RetryCancel: choices = {retry, cancel}; break;
    }

    QMessageBox box(parentWidget());
    box.setWindowTitle(request.caption.isEmpty() ? u"Quenmarix"_s : request.caption);
    // The administrator's part (a driver's own text) behind the details button.
    const SplitMessage message = splitDetails(request.text);
    box.setText(QString(message.text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    box.setTextFormat(Qt::PlainText);
    if (!message.details.isEmpty())
        box.setDetailedText(QString(message.details).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    switch (request.icon) {
    case MsgIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MsgIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MsgIcon::None: break;
    }
    std::vector<std::pair<QPushButton*, MsgResult>> buttons;
    for (const Choice& c : choices) {
        QPushButton* b = box.addButton(QString::fromUtf8(c.text), c.role);
        b->setObjectName(QString::fromUtf8(c.text));
        buttons.emplace_back(b, c.result);
        // Escape answers Annuleren, or OK when that is the only answer.
        if (c.result == MsgResult::Cancel || request.buttons == MsgButtons::OK)
            box.setEscapeButton(b);
    }
    const std::size_t defaultIndex = std::size_t(std::clamp(request.defaultButton, 1, int(buttons.size())) - 1);
    box.setDefaultButton(buttons[defaultIndex].first);
    box.exec();
    for (const auto& [button, result] : buttons) {
        if (box.clickedButton() == button)
            return result;
    }
    return request.buttons == MsgButtons::OK ? MsgResult::OK : MsgResult::Cancel;
}

std::optional<QString> QtUi::chooseFolder(const FolderRequest& request)
{
    QFileDialog dialog(parentWidget(), request.title, request.initialFolder);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, !request.includeFiles);
    dialog.setOption(QFileDialog::ReadOnly, !request.allowNewFolder);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

std::optional<QString> QtUi::runFileDialog(const FileRequest& request, bool save)
{
    QFileDialog dialog(parentWidget(), request.title, request.initialFolder, qtFileFilter(request.filter));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!request.defaultExtension.isEmpty())
        dialog.setDefaultSuffix(request.defaultExtension);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

std::optional<QString> QtUi::chooseOpenFile(const FileRequest& request) { return runFileDialog(request, false); }

std::optional<QString> QtUi::chooseSaveFile(const FileRequest& request) { return runFileDialog(request, true); }

std::optional<Colour> QtUi::chooseColour(Colour initial)
{
    const QColor chosen =
        QColorDialog::getColor(toQColor(initial, QApplication::palette()), parentWidget(), u"Kleur kiezen"_s);
    if (!chosen.isValid())
        return std::nullopt;
    return fromQColor(chosen);
}

namespace {
// A dialog of the control model: runs until the form is hidden. Closing the
// window or pressing Escape presses the form's cancel button, or else hides the
// form; Enter presses its default button (a focused button takes Enter itself).
class ModalFormDialog final : public QDialog {
public:
    ModalFormDialog(Form& form, const TwipsScale& scale, QWidget* parent) : QDialog(parent), form_(form)
    {
        setObjectName(form.name());
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        view_ = new FormView(form, scale, this);
        layout->addWidget(view_);
        layout->setSizeConstraint(QLayout::SetFixedSize);
        setWindowTitle(form.caption());
        view_->onHidden = [this] { done(QDialog::Accepted); };
    }
    ~ModalFormDialog() override { delete view_; }

    // A cancel button decides itself whether the form closes (it may ask the
    // user first); without one the window simply closes.
    void reject() override
    {
        if (!view_->pressCancelButton() && form_.visible())
            form_.hide();
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
        // Ctrl+Enter answers also from a box of several lines, where Enter starts a line.
        if (enter && (modifiers == Qt::NoModifier || modifiers == Qt::ControlModifier)) {
            view_->pressDefaultButton();
            return;
        }
        QDialog::keyPressEvent(event);
    }

    void showEvent(QShowEvent* event) override
    {
        QDialog::showEvent(event);
        // The user starts in the first field, not on a button, unless the
        // dialog put the focus somewhere itself.
        if (form_.focusedControl())
            return;
        view_->refreshAccess();
        const std::vector<QWidget*> chain = view_->tabChain();
        const auto usable = [](QWidget* w) { return w->isEnabled() && w->isVisible(); };
        for (QWidget* w : chain) {
            if (usable(w) && !qobject_cast<QAbstractButton*>(w)) {
                w->setFocus(Qt::TabFocusReason);
                return;
            }
        }
    }

private:
    Form& form_;
    FormView* view_;
};
} // namespace

void QtUi::showModal(Form& form)
{
    giveDialogBackground(form);
    form.show();
    if (!form.visible())
        return;
    // After the dialog the user goes on where it was opened.
    const QPointer<QWidget> opener = QApplication::focusWidget();
    {
        ModalFormDialog dialog(form, TwipsScale{twipsPerPixelX(), twipsPerPixelY()}, parentWidget());
        // The form may hide itself while it is being shown (a load that fails).
        if (form.visible())
            dialog.exec();
    }
    const auto usable = [](const QWidget* w) { return w && w->isVisible() && w->isEnabled(); };
    if (usable(opener))
        opener->setFocus(Qt::OtherFocusReason);
    // What the page does after its dialog (a list filled again) may switch the
    // opener off for a moment, which sends the focus out of the page; once the
    // page is done it comes back, unless the page put it on a control of its own.
    QPointer<QWidget> page;
    for (QWidget* w = opener; w; w = w->parentWidget()) {
        if (dynamic_cast<FormView*>(w))
            page = w;
    }
    QTimer::singleShot(0, [opener, page, usable] {
        QWidget* now = QApplication::focusWidget();
        const bool inPage = now && page && (now == page || page->isAncestorOf(now));
        if (usable(opener) && now != opener && !inPage)
            opener->setFocus(Qt::OtherFocusReason);
    });
}

void QtUi::doEvents() { QCoreApplication::processEvents(); }

void QtUi::setMousePointer(MousePointer pointer)
{
    if (pointer == pointer_)
        return;
    if (pointer_ == MousePointer::Hourglass)
        QApplication::restoreOverrideCursor();
    if (pointer == MousePointer::Hourglass)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    pointer_ = pointer;
}

void QtUi::openAddress(const QString& address) { QDesktopServices::openUrl(QUrl::fromUserInput(address)); }

namespace {
int twipsPerPixel(qreal dotsPerInch) { return dotsPerInch > 0 ? int(std::lround(1440.0 / dotsPerInch)) : 15; }
} // namespace

int QtUi::twipsPerPixelX() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? twipsPerPixel(screen->logicalDotsPerInchX()) : 15;
}

int QtUi::twipsPerPixelY() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? twipsPerPixel(screen->logicalDotsPerInchY()) : 15;
}

int QtUi::screenWidthPixels() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 1920;
}

int QtUi::textWidth(const QString& text, const Font& font) const
{
    // Laying out a page measures the same captions and words many times over,
    // and shaping a text costs far more than looking its width up. The widths
    // are kept per font, each with its metrics, so that a lookup builds no key
    // and a new text resolves no font.
    struct Measured {
        Font font;
        QFontMetrics metrics;
        QHash<QString, int> pixelWidths;
    };
    // Never destroyed, so that no font metrics are torn down after the application at exit.
    static auto& fonts = *new std::vector<std::unique_ptr<Measured>>;
    constexpr qsizetype MaxRemembered = 20000;
    const auto sameLetters = [&font](const Font& f) {
        // Underlining does not change a text's width.
        return f.size == font.size && f.bold == font.bold && f.italic == font.italic && f.name == font.name;
    };
    auto measured = std::find_if(fonts.begin(), fonts.end(), [&](const auto& m) { return sameLetters(m->font); });
    if (measured == fonts.end()) {
        fonts.push_back(std::make_unique<Measured>(Measured{font, QFontMetrics(toQFont(font)), {}}));
        measured = fonts.end() - 1;
    }
    QHash<QString, int>& widths = (*measured)->pixelWidths;
    auto found = widths.constFind(text);
    if (found == widths.cend()) {
        if (widths.size() >= MaxRemembered)
            widths.clear();
        found = widths.insert(text, (*measured)->metrics.horizontalAdvance(text));
    }
    return *found * twipsPerPixelX();
}

QString qtFileFilter(const QString& classicFilter)
{
    const QStringList parts = classicFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& p : patterns) {
            p = p.trimmed();
            if (p == QLatin1String("*.*"))
                p = u"*"_s;
        }
        // Qt reads the patterns from the last parentheses of the text.
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (open > 0 && description.endsWith(QLatin1Char(')')))
            description = description.left(open).trimmed();
        filters << u"%1 (%2)"_s.arg(description, patterns.join(QLatin1Char(' ')));
    }
    return filters.join(QLatin1String(";;"));
}

} // namespace tarvelo
