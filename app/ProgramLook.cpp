#include "app/ProgramLook.h"

#include "app/render/QtConversions.h"
#include "framework/forms/Contrast.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPalette>
#include <QProxyStyle>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>

#include <initializer_list>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {

// Access keys are underlined while Alt is held, on every control alike, as
// the desktop does; otherwise a row shows them on the buttons whose captions
// happen to have one and not on the others.
class AccessKeyStyle final : public QProxyStyle {
public:
    AccessKeyStyle() : QProxyStyle(QStyleFactory::create(u"Fusion"_s)) {}

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_UnderlineShortcut)
            return altHeld_ ? 1 : 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Alt)
                showAccessKeys(event->type() == QEvent::KeyPress);
        } else if (event->type() == QEvent::ApplicationDeactivate || event->type() == QEvent::FocusOut) {
            // Alt let go in another window.
            if (altHeld_ && !(QApplication::queryKeyboardModifiers() & Qt::AltModifier))
                showAccessKeys(false);
        }
        return QProxyStyle::eventFilter(watched, event);
    }

private:
    void showAccessKeys(bool on)
    {
        if (altHeld_ == on)
            return;
        altHeld_ = on;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible())
                w->update();
    }

    bool altHeld_ = false;
};

// The colour of a disabled text, made darker towards the enabled text until
// it reads (4.5:1) on every background it is drawn on; a colour that already
// reads stays.
QColor readableDisabled(const QColor& disabled, const QColor& enabled, std::initializer_list<QColor> backgrounds)
{
    constexpr double Readable = 4.6; // a margin over 4.5 for rounding on screen
    const auto reads = [&](const QColor& c) {
        for (const QColor& back : backgrounds)
            if (contrastRatio(fromQColor(c), fromQColor(back)) < Readable)
                return false;
        return true;
    };
    QColor c = disabled;
    for (int step = 1; step <= 20 && !reads(c); ++step) {
        const double t = step / 20.0;
        c = QColor::fromRgbF(float(disabled.redF() + (enabled.redF() - disabled.redF()) * t),
                             float(disabled.greenF() + (enabled.greenF() - disabled.greenF()) * t),
                             float(disabled.blueF() + (enabled.blueF() - disabled.blueF()) * t));
    }
    return c;
}

} // namespace

QPalette withVisibleStates(QPalette palette)
{
    // Fusion's own palette draws a disabled field grey with grey text; a
    // platform theme that gives the disabled group the active colours would
    // make disabled and read-only fields look editable.
    const auto distinct = [&](QPalette::ColorRole role, const QColor& instead) {
        if (palette.color(QPalette::Disabled, role) == palette.color(QPalette::Active, role))
            palette.setColor(QPalette::Disabled, role, instead);
    };
    const QColor window = palette.color(QPalette::Active, QPalette::Window);
    const QColor text = palette.color(QPalette::Active, QPalette::Text);
    const QColor grey = QColor::fromRgbF((text.redF() + window.redF()) / 2, (text.greenF() + window.greenF()) / 2,
                                         (text.blueF() + window.blueF()) / 2);
    distinct(QPalette::Base, window);
    distinct(QPalette::Text, grey);
    distinct(QPalette::WindowText, grey);
    distinct(QPalette::ButtonText, grey);

    // Grey, yet readable: a disabled text still tells what it is. Pages are
    // drawn on the base colour, dialogs and frames on the window colour,
    // disabled fields on the disabled base.
    const QColor base = palette.color(QPalette::Active, QPalette::Base);
    const QColor disabledBase = palette.color(QPalette::Disabled, QPalette::Base);
    const QColor button = palette.color(QPalette::Disabled, QPalette::Button);
    for (const QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText}) {
        palette.setColor(QPalette::Disabled, role,
                         readableDisabled(palette.color(QPalette::Disabled, role),
                                          palette.color(QPalette::Active, role), {window, base, disabledBase, button}));
    }
    return palette;
}

void applyProgramLook()
{
    // The platform's default (the old "windows" style under VNC, say) would
    // make the program look different on each desktop.
    auto* style = new AccessKeyStyle;
    QApplication::setStyle(style);
    qApp->installEventFilter(style);
    QApplication::setFont(toQFont(Font()));
    QApplication::setPalette(withVisibleStates(QApplication::palette()));
}

void loadProgramFonts()
{
    QFont bold = QApplication::font();
    bold.setBold(true);
    for (const QFont& font : {QApplication::font(), bold})
        QFontMetrics(font).horizontalAdvance(u"Instellingen"_s);
}

} // namespace tarvelo
