#include "app/HostSettingsWindow.h"

#include "app/SettingsWindow.h"
#include "app/WindowPages.h"
#include "app/render/FormView.h"
#include "app/render/ProgressView.h"
#include "framework/host/SettingsHost.h"
#include "framework/page/SettingsPage.h"

#include <QCoreApplication>

namespace tarvelo {

struct HostSettingsWindow::Parts {
    Parts(SettingsHost& host, QWidget* parent)
        : window(host.pageRegistry(), host, parent),
          // Long runs of the pages show their progress in a window of their own.
          progress(host.status(), screenScale(host.ui()), &window)
    {
    }
    SettingsWindow window;
    ProgressView progress;
};

HostSettingsWindow::HostSettingsWindow(SettingsHost& host, QWidget* parent)
    : parts_(std::make_unique<Parts>(host, parent))
{
}

HostSettingsWindow::~HostSettingsWindow() = default;

QWidget* HostSettingsWindow::widget() const { return &parts_->window; }

bool HostSettingsWindow::show(const QString& className)
{
    parts_->window.restoreSize();
    parts_->window.show();
    return parts_->window.showStartPage(className);
}

bool HostSettingsWindow::showPage(const QString& className) { return parts_->window.showPage(className); }

QString HostSettingsWindow::currentPage() const
{
    const SettingsPage* page = parts_->window.currentPage();
    return page ? page->componentName() : QString();
}

bool HostSettingsWindow::save() { return parts_->window.save(); }

void HostSettingsWindow::cancel() { parts_->window.cancel(); }

HostSettingsWindow::Result HostSettingsWindow::result() const
{
    switch (parts_->window.result()) {
    case SettingsWindow::Result::Saved: return Result::Saved;
    case SettingsWindow::Result::Cancelled: return Result::Cancelled;
    case SettingsWindow::Result::Open: break;
    }
    return Result::Open;
}

QImage HostSettingsWindow::picture()
{
    // Layouts settle and the page's lists fill in the events that follow.
    QCoreApplication::processEvents();
    if (FormView* view = parts_->window.currentView())
        view->flushPending();
    return parts_->window.grab().toImage();
}

} // namespace tarvelo
