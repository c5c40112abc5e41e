#pragma once

#include "framework/forms/Event.h"

#include <QLabel>
#include <QVariant>

class QTimer;

namespace tarvelo {

class Application;

// The line above the page that says the office database on the server went
// away and came back (the host's OfficeConnectionNotice), without a box that
// stops the user; "hersteld" goes again after a few seconds.
class OfficeConnectionLine final : public QLabel {
public:
    OfficeConnectionLine(Application& host, QWidget* parent);

    void tell(bool connected);

private:
    QTimer* back_;
    Subscription<QString, QString, QString, QVariant> notices_;
};

} // namespace tarvelo
