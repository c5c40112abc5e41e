#pragma once

#include "app/render/QtConversions.h"
#include "framework/forms/Event.h"

#include <QObject>
#include <QPointer>
#include <memory>

class QWidget;

namespace tarvelo {

class FormView;
class StatusReporter;
class frmProgress;

// The status reporter's own window on screen: a small window beside the
// program, which stays usable while a long run reports its progress. It is
// drawn from frmProgress while the model shows it and goes when the status
// ends; closing it or pressing Escape is "&Afbreken". The view must not
// outlive the reporter.
class ProgressView final : public QObject {
public:
    ProgressView(StatusReporter& reporter, TwipsScale scale, QWidget* owner = nullptr);
    ~ProgressView() override;

    // The window while it shows, else null.
    QWidget* window() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watch(frmProgress& form);
    void waitForShow(frmProgress& form);
    void open(frmProgress& form);
    void close(frmProgress& form);

    StatusReporter& reporter_;
    TwipsScale scale_;
    QPointer<QWidget> owner_;
    Subscription<frmProgress&> created_;
    frmProgress* watched_ = nullptr; // alive only while it is the reporter's window
    int closedId_ = 0;
    std::unique_ptr<FormView> view_;
};

} // namespace tarvelo
