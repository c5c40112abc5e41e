#include "app/OfficeConnectionLine.h"

#include "framework/host/Application.h"
#include "host/database/LostServerWatch.h"

#include <QTimer>

using namespace Qt::StringLiterals;

namespace tarvelo {

OfficeConnectionLine::OfficeConnectionLine(Application& host, QWidget* parent) : QLabel(parent)
{
    setObjectName(u"lblVerbinding"_s);
    setWordWrap(true);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::ToolTipBase);
    setForegroundRole(QPalette::ToolTipText);
    setFrameShape(QFrame::StyledPanel);
    setMargin(4);
    hide();
    back_ = new QTimer(this);
    back_->setSingleShot(true);
    back_->setInterval(5000);
    QObject::connect(back_, &QTimer::timeout, this, &QWidget::hide);
    notices_ = {host.Notify,
                [this](const QString& sender, const QString&, const QString& action, const QVariant& value) {
                    if (sender == OfficeConnectionNotice::Sender && action == OfficeConnectionNotice::Action)
                        tell(value.toString() == OfficeConnectionNotice::Back);
                }};
}

void OfficeConnectionLine::tell(bool connected)
{
    if (connected) {
        setText(u"De verbinding met de kantoordatabase is hersteld."_s);
        back_->start();
    } else {
        back_->stop();
        setText(u"De verbinding met de kantoordatabase is verbroken. Het venster maakt opnieuw verbinding zodra "
                "de server er weer is; wat u wijzigt, blijft bewaard."_s);
    }
    QLabel::show();
}

} // namespace tarvelo
