#include "app/render/ProgressView.h"

#include "app/WindowPages.h"
#include "app/render/FormView.h"
#include "framework/status/StatusReporter.h"
#include "framework/status/frmProgress.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QScreen>
#include <QWidget>

namespace tarvelo {

ProgressView::ProgressView(StatusReporter& reporter, TwipsScale scale, QWidget* owner)
    : reporter_(reporter),
      scale_(scale),
      owner_(owner),
      created_(reporter.WindowCreated, [this](frmProgress& form) { watch(form); })
{
    // A status that already runs is drawn from now on.
    if (frmProgress* form = reporter_.window()) {
        watch(*form);
        if (form->visible())
            open(*form);
    }
}

ProgressView::~ProgressView()
{
    view_.reset();
    if (watched_ && watched_ == reporter_.window()) {
        watched_->setObserver(nullptr);
        watched_->Closed.disconnect(closedId_);
    }
}

QWidget* ProgressView::window() const { return view_ && view_->isVisible() ? view_.get() : nullptr; }

void ProgressView::watch(frmProgress& form)
{
    view_.reset();
    watched_ = &form;
    closedId_ = form.Closed.connect([this, &form] { close(form); });
    waitForShow(form);
}

void ProgressView::waitForShow(frmProgress& form)
{
    form.setObserver([this, &form](Control& control, Property property) {
        // Opening replaces this observer with the view's own: nothing of this
        // function may be touched after it.
        if (&control == &form && property == Property::Visible && form.visible())
            open(form);
    });
}

void ProgressView::open(frmProgress& form)
{
    giveDialogBackground(form);
    view_ = std::make_unique<FormView>(form, scale_, owner_);
    FormView& view = *view_;
    // A window of its own that blocks nothing; with an owner it stays above it.
    view.setWindowFlags((owner_ ? Qt::Tool : Qt::Window) | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowCloseButtonHint);
    view.setWindowModality(Qt::NonModal);
    view.installEventFilter(this);
    const QWidget* over = owner_ ? owner_->window() : nullptr;
    const QRect area =
        over ? over->frameGeometry() : (view.screen() ? view.screen()->availableGeometry() : QRect(0, 0, 1920, 1080));
    view.move(area.center() - QPoint(view.width() / 2, view.height() / 2));
    view.show();
}

void ProgressView::close(frmProgress& form)
{
    view_.reset();
    // The window may be shown again for a later status.
    waitForShow(form);
}

bool ProgressView::eventFilter(QObject* watched, QEvent* event)
{
    if (!view_ || watched != view_.get())
        return false;
    if (event->type() == QEvent::Close) {
        // The window goes when the run ends it; closing it asks the run to stop.
        event->ignore();
        view_->pressCancelButton();
        return true;
    }
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        view_->pressCancelButton();
        return true;
    }
    return false;
}

} // namespace tarvelo
