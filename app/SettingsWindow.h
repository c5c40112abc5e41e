#pragma once

#include "app/ConflictDialog.h"
#include "app/PageSearch.h"
#include "framework/forms/Event.h"
#include "host/admin/PageInspector.h"
#include "host/admin/SettingsProfile.h"

#include <QHash>
#include <QSet>
#include <QVariantMap>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <optional>

class QHBoxLayout;
class QIcon;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QTreeWidget;
class QTreeWidgetItem;

namespace tarvelo {

class ChangeHistoryDialog;
struct ChangeEntry;
class SettingCatalogue;
class CheckProblemsDialog;
class Control;
class FormView;
class PageRegistry;
class SettingsHost;
class SettingsBlock;
class SettingsPage;

// The settings window (frmInstellingen): the pages by title in their groups,
// a search over everything the pages show, the chosen page in a scrolling
// area, and "Opslaan" and "Annuleren". A page is created the first time it
// is chosen and stays open, listening to the other pages, until the window
// closes.
class SettingsWindow final : public QWidget {
public:
    enum class Result { Open, Saved, Cancelled };

    SettingsWindow(const PageRegistry& registry, SettingsHost& application, QWidget* parent = nullptr);
    ~SettingsWindow() override;

    // The size the window first opens at, where the screen is large enough.
    static QSize defaultSize() { return {960, 680}; }

    // The size the window had when it last closed, as the user left it; a size
    // the screen cannot hold, or no stored size, leaves the first size.
    void restoreSize();
    // Shows the page asked for (on the command line), else the page that was
    // open when the window last closed, else the first page. False when no
    // page could be shown.
    bool showStartPage(const QString& askedPage = QString());
    // Keeps the open page for this user as the one the window opens on next
    // (closing the window keeps it with the window's size).
    void rememberPage();

    // Shows the page, creating it the first time. Before leaving the open page
    // its field being edited and its Validation are asked; false when the user
    // stays (or the name is unknown).
    bool showPage(const QString& className);
    SettingsPage* currentPage() const;
    // A page created in this window, or null.
    SettingsPage* openedPage(const QString& className) const;
    FormView* currentView() const;

    // Announces the save to the pages, then stores Setup and GlobalSetup and
    // closes; false when the user was kept on the page or storing failed.
    bool save();
    // Closes without storing: the settings hold what was stored again.
    void cancel();
    Result result() const { return result_; }

    // The change history of the open page, or of the whole office.
    std::unique_ptr<ChangeHistoryDialog> historyDialog(bool wholeOffice);
    // Takes one change back through the page that shows the setting (its
    // rules, the locks, the check before saving), asking first when the
    // setting changed again since, and stores it as a save does; false (with
    // the reason shown) when it was not taken back.
    bool revertChange(const ChangeEntry& entry);
    // Every setting as the screen names it, learned from the pages once.
    const SettingCatalogue& catalogue();
    // Page titles by class name, as the page list shows them.
    QHash<QString, QString> pageTitles() const;

    // One bound control back to its setting's default, through the page's
    // own write-back; false when it is locked or not bound.
    bool resetToDefault(Control& control);
    // Every bound setting of the open page back to its default, after asking.
    bool resetPageToDefaults();
    // Whether a page (open or not) shows a setting that differs from its default.
    bool pageHoldsChanges(const QString& className);
    // The input checks of every page, also pages not opened, against the
    // current settings; nothing is changed on pages that are not open.
    std::vector<CheckProblem> checkAllPages();
    // The list of problems shown when saving was refused, or null.
    CheckProblemsDialog* problemsDialog() const { return problems_.get(); }

    // Writes every setting into file; passwords only with a passphrase.
    bool exportTo(const QString& file, const std::optional<QString>& passphrase);
    // Reads file and shows what would change; choose decides which lines are
    // applied (all of them, in one step) and returns false to apply none.
    bool importFrom(const QString& file, const std::function<std::optional<QString>()>& passphrase,
                    const std::function<bool(ImportPlan&, std::vector<ProfileDifference>&)>& choose);

    // Another program changed these tables of the office database: what the
    // user has not changed here is taken in and shown on the open pages and
    // in the page list (app/SettingsWindowChanges.cpp).
    void officeChanged(const QSet<QString>& tables);
    // Asks which value to keep of settings changed here and meanwhile on
    // another workstation (the lines hold the choices); false when the user
    // saves nothing. The window shows ConflictDialog; tests answer for the user.
    std::function<bool(std::vector<ConflictLine>&)> conflictQuestion;

    // What the page list shows for a page: its title, and where two pages of
    // one group share a title, the caption of its first frame after it.
    QString listTitle(const QString& className) const;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct OpenPage {
        std::unique_ptr<SettingsPage> page;
        std::unique_ptr<FormView> view; // goes before its page
    };

    QWidget* buildListSide();
    QWidget* buildPageSide();
    QHBoxLayout* buildButtonRow();
    void addWindowKeys();
    void connectControls();
    bool store();
    void discard();
    void buildList(const QString& query);
    void chosen(QTreeWidgetItem* item);
    // Goes to what a list entry shows: the page's first hit, or the hit.
    void focusChosen(QTreeWidgetItem* item);
    // The page's fields between the list and the window's buttons.
    void orderTabs();
    // Escape: cancels as closing the window does.
    void escape();
    bool leaveCurrentPage();
    void focusHit(const QString& controlName, int index);
    void selectCurrentInList();
    void takeSnapshot();
    void noteChanges();
    void followPageSize();
    // Asks the open page to take the pane's width (form().setWidth in twips).
    void fitPageToPane();
    void nameEntries();
    QIcon blankMarker() const;
    bool settleBeforeClosing();
    void rememberView();
    OpenPage* find(const QString& className) const;
    void offerResets(OpenPage& open);
    void refreshListMarkers();
    void showProblems(std::vector<CheckProblem> problems);
    void refillOpenPages();
    void exportChosen();
    void importChosen();
    bool settleConflicts();
    bool saveAskingAgain();
    bool mayRefreshNow() const;
    // Settings of Setup or GlobalSetup were read from outside (their Changed):
    // the open pages whose own fill shows one are filled again.
    void settingsRead(const SettingsBlock& block, const QStringList& names);
    bool fillShowsAnyOf(SettingsPage& page, const QString& object, const QStringList& names);
    void refreshPage(OpenPage& open, bool shown);
    // The host watches the office for its newest window; when that one goes,
    // the window opened before it watches again and takes in every table.
    // False when another window is newer and this one's going leaves the
    // host as it is.
    void startWatching();
    bool stopWatching();
    void refreshIfStale(OpenPage& open);
    void retryRefreshLater();

    const PageRegistry& registry_;
    SettingsHost& app_;
    PageSearch search_;
    QLineEdit* searchBox_;
    QTreeWidget* list_;
    QLabel* heading_;
    QScrollArea* scroll_ = nullptr;
    QWidget* pageHolder_; // the scrolled widget: the open page with a margin
    QPushButton* resetPage_;
    QPushButton* export_;
    QPushButton* import_;
    QPushButton* history_;
    QPushButton* officeHistory_;
    QPushButton* save_;
    QPushButton* cancel_;
    std::map<QString, OpenPage> pages_; // by lower-case class name
    QString current_;
    // Which page each unsaved change was made on, and the settings as they
    // were when the open page was shown.
    QHash<QString, QString> pageOf_;
    // How a change was made where not by hand on its page (import, take-back).
    QHash<QString, QString> howOf_;
    std::unique_ptr<SettingCatalogue> catalogue_;
    QVariantMap setupBefore_, globalBefore_;
    PageInspector inspector_;
    std::unique_ptr<CheckProblemsDialog> problems_;
    bool markersPending_ = false;
    Result result_ = Result::Open;
    bool choosing_ = false;
    // What other programs changed that the window has not taken in yet, and
    // the open pages to fill again before they are shown.
    QSet<QString> pendingTables_;
    QSet<QString> stalePages_;
    Subscription<const SettingsBlock&, const QStringList&> setupRead_, globalRead_;
    bool retryPending_ = false;
    bool fitting_ = false;
    QHash<QString, QString> entries_; // list titles by lower-case class name
};

} // namespace tarvelo
