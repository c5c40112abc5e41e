#include "app/ProgramLook.h"

#include "app/render/QtConversions.h"

#include <QApplication>
#include <QStyle>

using namespace Qt::StringLiterals;

namespace tarvelo {

void applyProgramLook()
{
    // The platform's default (the old "windows" style under VNC, say) would
    // make the program look different on each desktop.
    QApplication::setStyle(u"Fusion"_s);
    QApplication::setFont(toQFont(Font()));
}

} // namespace tarvelo
