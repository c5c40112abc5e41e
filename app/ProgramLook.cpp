#include "app/ProgramLook.h"

#include "app/render/QtConversions.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>

using namespace Qt::StringLiterals;

namespace tarvelo {

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
    return palette;
}

void applyProgramLook()
{
    // The platform's default (the old "windows" style under VNC, say) would
    // make the program look different on each desktop.
    QApplication::setStyle(u"Fusion"_s);
    QApplication::setFont(toQFont(Font()));
    QApplication::setPalette(withVisibleStates(QApplication::palette()));
}

} // namespace tarvelo
