#pragma once

#include "TarveloExport.h"

#include <QImage>
#include <QString>
#include <memory>

class QWidget;

namespace tarvelo {

class SettingsHost;

// The settings window as a host's own program shows it: the pages of the
// host's page registry by title in their groups, the search over everything
// they show, the markers of changed and locked settings, "Opslaan" and
// "Annuleren". It works on the host through SettingsHost only. A host whose Ui
// is a QtUi lets the window own its dialogs with setOwner(widget()).
class TARVELO_EXPORT HostSettingsWindow {
public:
    enum class Result { Open, Saved, Cancelled };

    explicit HostSettingsWindow(SettingsHost& host, QWidget* parent = nullptr);
    ~HostSettingsWindow();
    HostSettingsWindow(const HostSettingsWindow&) = delete;
    HostSettingsWindow& operator=(const HostSettingsWindow&) = delete;

    // The window itself, for the host's own window management.
    QWidget* widget() const;

    // Shows the window at the size the user left it, with the page asked for,
    // else the page open when it last closed, else the first page. False when
    // no page could be shown.
    bool show(const QString& className = QString());
    // Shows the page, leaving the open one as the user would (its field being
    // edited and its Validation are asked first); false when the user stays.
    bool showPage(const QString& className);
    // The class name of the page shown, empty when none.
    QString currentPage() const;

    // What "Opslaan" and "Annuleren" do.
    bool save();
    void cancel();
    Result result() const;

    // The window as it is drawn now, after its layouts settled and its lists
    // filled; also without a display (Qt's offscreen platform).
    QImage picture();

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

} // namespace tarvelo
