#include "app/SettingsWindow.h"

#include "app/ChangeHistoryDialog.h"
#include "app/CheckProblemsDialog.h"
#include "app/ExportSettingsDialog.h"
#include "app/ImportPreviewDialog.h"
#include "app/OfficeConnectionLine.h"
#include "app/WindowPages.h"
#include "app/render/AccessKeys.h"
#include "app/render/ButtonKeys.h"
#include "app/render/ControlView.h"
#include "app/render/FormView.h"
#include "app/render/QtConversions.h"
#include "framework/errors/RuntimeError.h"
#include "framework/forms/Control.h"
#include "framework/host/Settings.h"
#include "framework/host/SettingsHost.h"
#include "framework/page/PageRegistry.h"
#include "framework/page/SettingsPage.h"
#include "framework/registry/Registry.h"
#include "framework/registry/RegistryNames.h"
#include "framework/ui/Ui.h"
#include "host/ReferenceApplication.h"
#include "host/admin/ChangeReverter.h"
#include "host/admin/SettingCatalogue.h"
#include "host/office/ChangeHistory.h"
#include "host/office/SettingsStore.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int ClassRole = Qt::UserRole;
constexpr int ControlRole = Qt::UserRole + 1;
constexpr int IndexRole = Qt::UserRole + 2;

// The groups in the order the window lists them.
QStringList groupOrder()
{
    return {PageGroup::Algemeen,   PageGroup::DatabaseEnHdn, PageGroup::Adviseurs,  PageGroup::Maatschappijen,
            PageGroup::Advisering, PageGroup::Kantoor,       PageGroup::Koppelingen};
}

// Pixels between the page and the edges of the scrolling area.
constexpr int PageMargin = 8;

// Where the window keeps, per user, how it was left.
const QString WindowKey = RegistryNames::ProductKey + u"\\InstellingenVenster"_s;
constexpr QLatin1StringView WidthValue{"Breedte"};
constexpr QLatin1StringView HeightValue{"Hoogte"};
constexpr QLatin1StringView PageValue{"Pagina"};

QString shortened(const QString& text) { return text.size() > 60 ? text.left(57) + u"..."_s : text; }

// What the page list's mark means.
const QString ChangedPageNote = u"Op deze pagina wijken instellingen af van de standaardwaarde."_s;

// The widest the page list grows to hold its longest title; a longer one is
// elided and read whole in its tooltip.
constexpr int ListMaxWidth = 360;
} // namespace

SettingsWindow::SettingsWindow(const PageRegistry& registry, SettingsHost& application, QWidget* parent)
    : QWidget(parent),
      registry_(registry),
      app_(application),
      search_(registry),
      inspector_(application, &registry)
{
    setObjectName(u"frmInstellingen"_s);
    setWindowTitle(u"Instellingen"_s);
    // The list, search box and buttons in the pages' font, so that the window
    // and the page in it read alike, whatever the application font is.
    setFont(toQFont(Font()));

    QWidget* left = buildListSide();
    QWidget* right = buildPageSide();
    auto* splitter = new QSplitter(this);
    splitter->addWidget(left);
    splitter->addWidget(right);
    splitter->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addLayout(buildButtonRow());
    addWindowKeys();
    connectControls();

    nameEntries();
    buildList(QString());
    // The list as wide as its longest title, within reason.
    list_->resizeColumnToContents(0);
    const int listWidth = std::min(ListMaxWidth, list_->header()->sectionSize(0) + 2 * list_->frameWidth() +
                                                     list_->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4);
    splitter->setSizes({std::max(240, listWidth), 560});
    resize(defaultSize().boundedTo(screen()->availableGeometry().size()));
    const auto read = [this](const SettingsBlock& block, const QStringList& names) { settingsRead(block, names); };
    setupRead_ = Subscription<const SettingsBlock&, const QStringList&>(app_.userSetup().Changed, read);
    globalRead_ = Subscription<const SettingsBlock&, const QStringList&>(app_.officeSetup().Changed, read);
    startWatching();
}

// The search box and the page list, with the profile's export and import below.
QWidget* SettingsWindow::buildListSide()
{
    searchBox_ = new QLineEdit(this);
    searchBox_->setObjectName(u"txtZoeken"_s);
    searchBox_->setPlaceholderText(u"Zoeken in de instellingen"_s);
    searchBox_->setClearButtonEnabled(true);
    searchBox_->setAccessibleName(u"Zoeken in de instellingen"_s);
    // Down goes on into what was found.
    searchBox_->installEventFilter(this);
    list_ = new QTreeWidget(this);
    list_->setObjectName(u"lvwPaginas"_s);
    list_->setHeaderHidden(true);
    list_->setRootIsDecorated(false);
    list_->setIndentation(14);
    list_->setAccessibleName(u"Pagina's"_s);
    list_->installEventFilter(this);
    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(searchBox_);
    leftLayout->addWidget(list_);
    // A whole profile goes out and comes in beside the list of everything it holds.
    export_ = new QPushButton(u"Instellingen exporteren..."_s, this);
    export_->setObjectName(u"cmdExporteren"_s);
    import_ = new QPushButton(u"Instellingen importeren..."_s, this);
    import_->setObjectName(u"cmdImporteren"_s);
    leftLayout->addWidget(export_);
    leftLayout->addWidget(import_);
    return left;
}

// The page's heading and reset button above the scrolling pane that holds it.
QWidget* SettingsWindow::buildPageSide()
{
    heading_ = new QLabel(this);
    heading_->setObjectName(u"lblTitel"_s);
    QFont headingFont = heading_->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.4);
    headingFont.setBold(true);
    heading_->setFont(headingFont);
    // A name that says what the page holds can be long: on a narrow pane it
    // wraps instead of widening the window.
    heading_->setWordWrap(true);
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(u"scrPagina"_s);
    scroll_->setWidgetResizable(false);
    scroll_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The pane itself is no stop of Tab: its page's fields are.
    scroll_->setFocusPolicy(Qt::NoFocus);
    // The pane in the pages' own background (PageBackColor), so that a page
    // and the room below it are one surface.
    scroll_->setBackgroundRole(QPalette::Base);
    // The page follows the width of the pane.
    scroll_->viewport()->installEventFilter(this);
    pageHolder_ = new QWidget;
    pageHolder_->setObjectName(u"pagHouder"_s);
    scroll_->setWidget(pageHolder_);
    auto* right = new QWidget(this);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    resetPage_ = new QPushButton(u"Standaardwaarden herstellen"_s, this);
    resetPage_->setObjectName(u"cmdStandaardwaarden"_s);
    resetPage_->setToolTip(u"Alle instellingen op deze pagina terugzetten naar de standaardwaarde"_s);
    // The office server going away and coming back is told above the page, without a box.
    rightLayout->addWidget(new OfficeConnectionLine(app_, this));
    auto* headingRow = new QHBoxLayout;
    headingRow->addWidget(heading_, 1);
    headingRow->addWidget(resetPage_);
    rightLayout->addLayout(headingRow);
    rightLayout->addWidget(scroll_, 1);
    return right;
}

// The history on the left, saving and cancelling on the right.
QHBoxLayout* SettingsWindow::buildButtonRow()
{
    auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    history_ = button("cmdWijzigingen", u"Wijzigingsgeschiedenis..."_s);
    history_->setToolTip(u"De opgeslagen wijzigingen van deze pagina"_s);
    officeHistory_ = button("cmdWijzigingenKantoor", u"Wijzigingsgeschiedenis kantoor..."_s);
    officeHistory_->setToolTip(u"De opgeslagen wijzigingen van het hele kantoor"_s);
    save_ = button("cmdOpslaan", u"Opslaan"_s);
    save_->setDefault(true);
    cancel_ = button("cmdAnnuleren", u"Annuleren"_s);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(history_);
    buttons->addWidget(officeHistory_);
    buttons->addStretch();
    buttons->addWidget(save_);
    buttons->addWidget(cancel_);
    return buttons;
}

// The window's own keys, wherever the focus is in it; Return presses a focused button.
void SettingsWindow::addWindowKeys()
{
    for (QPushButton* b : {export_, import_, resetPage_, history_, officeHistory_, save_, cancel_})
        pressOnReturn(*b);
    const auto shortcut = [this](const QKeySequence& keys, const std::function<void()>& run) {
        auto* s = new QShortcut(keys, this);
        s->setContext(Qt::WindowShortcut);
        QObject::connect(s, &QShortcut::activated, this, run);
    };
    shortcut(QKeySequence::Save, [this] { save(); });
    shortcut(QKeySequence::Find, [this] {
        searchBox_->setFocus(Qt::ShortcutFocusReason);
        searchBox_->selectAll();
    });
    shortcut(QKeySequence(Qt::Key_Escape), [this] { escape(); });
}

void SettingsWindow::connectControls()
{
    QObject::connect(searchBox_, &QLineEdit::textChanged, this, [this](const QString& text) { buildList(text); });
    QObject::connect(searchBox_, &QLineEdit::returnPressed, this, [this] {
        // Enter goes to the first thing found, also when the list already
        // shows it as current; where that field cannot be reached now (it is
        // switched off), the list takes the focus on it, to walk on from.
        for (QTreeWidgetItemIterator it(list_); *it; ++it) {
            if (!(*it)->data(0, ClassRole).toString().isEmpty() && !(*it)->isHidden()) {
                if (list_->currentItem() == *it)
                    focusChosen(*it);
                else
                    list_->setCurrentItem(*it);
                if (searchBox_->hasFocus())
                    list_->setFocus(Qt::OtherFocusReason);
                break;
            }
        }
    });
    QObject::connect(list_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item, QTreeWidgetItem*) {
        if (!choosing_)
            chosen(item);
    });
    // Walking the list with the arrow keys shows each page and what was found
    // on it, and leaves the focus in the list; Enter or a click goes there.
    const auto goToHit = [this](QTreeWidgetItem* item) {
        if (item && item == list_->currentItem() && !item->data(0, ClassRole).toString().isEmpty())
            focusChosen(item);
    };
    QObject::connect(list_, &QTreeWidget::itemClicked, this, goToHit);
    QObject::connect(save_, &QPushButton::clicked, this, [this] { save(); });
    QObject::connect(cancel_, &QPushButton::clicked, this, [this] { cancel(); });
    QObject::connect(history_, &QPushButton::clicked, this, [this] { historyDialog(false)->exec(); });
    QObject::connect(officeHistory_, &QPushButton::clicked, this, [this] { historyDialog(true)->exec(); });
    QObject::connect(resetPage_, &QPushButton::clicked, this, [this] { resetPageToDefaults(); });
    QObject::connect(export_, &QPushButton::clicked, this, [this] { exportChosen(); });
    QObject::connect(import_, &QPushButton::clicked, this, [this] { importChosen(); });
}

void SettingsWindow::nameEntries()
{
    // Two pages of one group with one title are told apart as everywhere else
    // (the history, the command line); Titel itself stays the page's.
    for (const PageFacts& facts : inspector_.pages())
        entries_.insert(facts.className.toLower(), facts.listTitle);
}

QString SettingsWindow::listTitle(const QString& className) const { return entries_.value(className.toLower()); }

SettingsWindow::~SettingsWindow()
{
    const bool newest = stopWatching();
    // Pages may still ask about work they collected, while they are drawn.
    for (auto& [name, open] : pages_)
        open.page->Terminate();
    // Views go before their pages, pages before the host they listen to.
    for (auto& [name, open] : pages_)
        open.view.reset();
    pages_.clear();
    if (newest)
        app_.setOpenPage(QString());
}

SettingsWindow::OpenPage* SettingsWindow::find(const QString& className) const
{
    auto it = pages_.find(className.toLower());
    return it == pages_.end() ? nullptr : const_cast<OpenPage*>(&it->second);
}

SettingsPage* SettingsWindow::currentPage() const
{
    OpenPage* open = find(current_);
    return open ? open->page.get() : nullptr;
}

SettingsPage* SettingsWindow::openedPage(const QString& className) const
{
    OpenPage* open = find(className);
    return open ? open->page.get() : nullptr;
}

FormView* SettingsWindow::currentView() const
{
    OpenPage* open = find(current_);
    return open ? open->view.get() : nullptr;
}

void SettingsWindow::buildList(const QString& query)
{
    const QSignalBlocker block(list_);
    list_->clear();
    const bool searching = !query.trimmed().isEmpty();
    std::vector<PageSearch::PageMatch> matches;
    if (searching) {
        matches = search_.find(query);
    } else {
        for (const PageInfo& info : registry_.pages())
            matches.push_back({&info, true, {}});
    }
    QStringList groups = groupOrder();
    for (const PageInfo& info : registry_.pages()) {
        if (!groups.contains(info.group))
            groups << info.group;
    }
    for (const QString& group : groups) {
        QTreeWidgetItem* groupItem = nullptr;
        for (const PageSearch::PageMatch& m : matches) {
            if (m.page->group != group)
                continue;
            if (!groupItem) {
                groupItem = new QTreeWidgetItem(list_, {group});
                // An item's own font is the application's, not the list's.
                QFont bold = list_->font();
                bold.setBold(true);
                groupItem->setFont(0, bold);
                groupItem->setFlags(Qt::ItemIsEnabled);
                // A heading, which the arrow keys pass (eventFilter).
                groupItem->setData(0, Qt::AccessibleDescriptionRole, u"Groep"_s);
            }
            auto* pageItem = new QTreeWidgetItem(groupItem, {listTitle(m.page->className)});
            pageItem->setData(0, ClassRole, m.page->className);
            pageItem->setData(0, IndexRole, -2);
            pageItem->setToolTip(0, pageItem->text(0));
            for (const PageSearch::ControlHit& hit : m.hits) {
                auto* hitItem = new QTreeWidgetItem(pageItem, {shortened(hit.text)});
                // The room of the page's marker as well: a hit reads indented under its page.
                hitItem->setIcon(0, blankMarker());
                hitItem->setToolTip(0, hit.text);
                hitItem->setData(0, ClassRole, m.page->className);
                hitItem->setData(0, ControlRole, hit.name);
                hitItem->setData(0, IndexRole, hit.index);
            }
        }
    }
    list_->expandAll();
    refreshListMarkers();
    if (searching && matches.empty()) {
        auto* none = new QTreeWidgetItem(list_, {u"Niets gevonden"_s});
        none->setFlags(Qt::NoItemFlags);
    }
    selectCurrentInList();
}

void SettingsWindow::selectCurrentInList()
{
    const QSignalBlocker block(list_);
    for (QTreeWidgetItem* item = list_->topLevelItem(0); item; item = list_->itemBelow(item)) {
        if (item->data(0, IndexRole).toInt() == -2 &&
            item->data(0, ClassRole).toString().compare(current_, Qt::CaseInsensitive) == 0) {
            list_->setCurrentItem(item);
            return;
        }
    }
    list_->setCurrentItem(nullptr);
}

void SettingsWindow::chosen(QTreeWidgetItem* item)
{
    if (!item)
        return;
    const QString className = item->data(0, ClassRole).toString();
    if (className.isEmpty())
        return;
    const QString controlName = item->data(0, ControlRole).toString();
    const int index = item->data(0, IndexRole).toInt();
    if (!showPage(className)) {
        selectCurrentInList();
        return;
    }
    if (list_->hasFocus()) {
        if (OpenPage* open = find(current_); open && !controlName.isEmpty()) {
            if (Control* matched = open->page->form().find(controlName, index))
                if (QWidget* w = open->view->widgetOf(*matched))
                    scroll_->ensureWidgetVisible(w, 20, 20);
        }
        return;
    }
    focusChosen(item);
}

void SettingsWindow::focusChosen(QTreeWidgetItem* item)
{
    const QString controlName = item->data(0, ControlRole).toString();
    const int index = item->data(0, IndexRole).toInt();
    if (!controlName.isEmpty()) {
        focusHit(controlName, index);
    } else if (!searchBox_->text().trimmed().isEmpty()) {
        // A page found by its texts opens at the first of them.
        if (QTreeWidgetItem* first = item->child(0))
            focusHit(first->data(0, ControlRole).toString(), first->data(0, IndexRole).toInt());
    }
}

bool SettingsWindow::leaveCurrentPage()
{
    OpenPage* open = find(current_);
    if (!open)
        return true;
    if (!open->view->leaveFocusedControl())
        return false;
    if (open->page->hasValidation()) {
        bool cancel = false;
        open->page->Validation(cancel, 0);
        if (cancel)
            return false;
    }
    noteChanges();
    return true;
}

bool SettingsWindow::showPage(const QString& className)
{
    if (!registry_.find(className))
        return false;
    if (className.compare(current_, Qt::CaseInsensitive) == 0)
        return true;
    if (!leaveCurrentPage())
        return false;

    // Settings that the page changes while it fills are its changes too.
    takeSnapshot();
    OpenPage* open = find(className);
    if (!open) {
        OpenPage created;
        app_.setOpenPage(registry_.find(className)->className);
        created.page = openWindowPage(registry_, className, app_);
        if (!created.page)
            return false;
        created.view = std::make_unique<FormView>(created.page->form(), screenScale(app_.ui()), pageHolder_);
        created.view->move(PageMargin, PageMargin);
        FormView* view = created.view.get();
        view->onControlFocused = [this](QWidget* w) { scroll_->ensureWidgetVisible(w, 20, 20); };
        created.page->HeightChanged.connect([this] { followPageSize(); });
        view->onResized = [this] { followPageSize(); };
        view->onTabsOrdered = [this] { orderTabs(); };
        view->onMarkerChanged = [this] {
            // Many markers change in one turn (a fill, a reset): the list follows once.
            if (std::exchange(markersPending_, true))
                return;
            QTimer::singleShot(0, this, [this] {
                markersPending_ = false;
                refreshListMarkers();
            });
        };
        search_.index(created.page->componentName(), created.page->form());
        open = &pages_.emplace(className.toLower(), std::move(created)).first->second;
        offerResets(*open);
    }
    refreshIfStale(*open);
    // Another page may have changed settings this one shows.
    open->page->settingBindings().refreshMarkers();
    refreshListMarkers();
    if (FormView* shown = currentView())
        shown->hide();
    current_ = open->page->componentName();
    app_.setOpenPage(current_);
    heading_->setText(listTitle(current_));
    open->view->flushPending();
    open->view->show();
    fitPageToPane();
    followPageSize();
    orderTabs();
    scroll_->verticalScrollBar()->setValue(0);
    scroll_->horizontalScrollBar()->setValue(0);
    selectCurrentInList();
    return true;
}

bool SettingsWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (scroll_ && watched == scroll_->viewport() && event->type() == QEvent::Resize)
        fitPageToPane();
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        // The arrow keys go from entry to entry, past the group headings.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Down || key == Qt::Key_Up) {
            QTreeWidgetItem* item = list_->currentItem();
            const auto next = [&](QTreeWidgetItem* from) {
                return key == Qt::Key_Down ? list_->itemBelow(from) : list_->itemAbove(from);
            };
            for (item = item ? next(item) : list_->topLevelItem(0); item; item = next(item)) {
                if (item->flags() & Qt::ItemIsSelectable) {
                    list_->setCurrentItem(item);
                    list_->scrollToItem(item);
                    break;
                }
            }
            return true;
        }
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && list_->currentItem()) {
            focusChosen(list_->currentItem());
            return true;
        }
    }
    if (watched == searchBox_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Down) {
        list_->setFocus(Qt::TabFocusReason);
        for (QTreeWidgetItem* item = list_->topLevelItem(0); item && !list_->currentItem();
             item = list_->itemBelow(item)) {
            if (item->flags() & Qt::ItemIsSelectable)
                list_->setCurrentItem(item);
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void SettingsWindow::orderTabs()
{
    // The list and what it holds, the page, then the window's buttons.
    std::vector<QWidget*> chain = {searchBox_, list_, export_, import_, resetPage_};
    if (FormView* view = currentView()) {
        const std::vector<QWidget*> page = view->tabChain();
        chain.insert(chain.end(), page.begin(), page.end());
    }
    chain.insert(chain.end(), {history_, officeHistory_, save_, cancel_});
    for (std::size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
    // The window's buttons keep their keys whatever page is shown.
    giveAccessKeys(*this, {save_, cancel_, history_, officeHistory_, export_, import_, resetPage_});
}

void SettingsWindow::escape()
{
    // As closing the window: asks first when something was changed.
    if (OpenPage* open = find(current_); open && !open->view->leaveFocusedControl())
        return;
    close();
}

void SettingsWindow::fitPageToPane()
{
    OpenPage* open = find(current_);
    if (!open || fitting_)
        return;
    fitting_ = true;
    // The page is asked to take the pane's width and lays itself out (and sets
    // its height) at it. One that cannot be so narrow stays wider and the
    // pane scrolls sideways; one that does not follow at all (its layout
    // fixed) is never made narrower than its controls reach, so nothing of it
    // is cut off.
    Form& form = open->page->form();
    const TwipsScale scale = screenScale(app_.ui());
    const int pane = std::max(0, scroll_->viewport()->width() - 2 * PageMargin);
    form.setWidth(pane * scale.twipsPerPixelX);
    int reach = 0;
    for (const Control* c : form.childrenOf(form)) {
        if (c->visible())
            reach = std::max(reach, c->right());
    }
    if (form.width() < reach)
        form.setWidth(reach);
    fitting_ = false;
    followPageSize();
}

void SettingsWindow::followPageSize()
{
    // The scrolling area takes the page's new size, so scroll bars appear or go.
    if (FormView* view = currentView())
        pageHolder_->resize(view->size() + QSize(2 * PageMargin, 2 * PageMargin));
}

void SettingsWindow::focusHit(const QString& controlName, int index)
{
    OpenPage* open = find(current_);
    if (!open)
        return;
    Control* matched = open->page->form().find(controlName, index);
    if (!matched)
        return;
    Control* target = PageSearch::focusTarget(open->page->form(), *matched);
    if (QWidget* w = open->view->widgetOf(*matched))
        scroll_->ensureWidgetVisible(w, 20, 20);
    if (target && target->isUsable())
        target->setFocus();
}

void SettingsWindow::takeSnapshot()
{
    setupBefore_ = app_.SettingsObject().toMap();
    globalBefore_ = app_.GlobalSetup().toMap();
}

void SettingsWindow::noteChanges()
{
    if (current_.isEmpty())
        return;
    const std::pair<const QVariantMap*, const QVariantMap> objects[] = {{&setupBefore_, app_.SettingsObject().toMap()},
                                                                        {&globalBefore_, app_.GlobalSetup().toMap()}};
    const QString names[] = {ChangeHistory::SetupObject, ChangeHistory::GlobalSetupObject};
    for (int i = 0; i < 2; ++i) {
        const QVariantMap& before = *objects[i].first;
        const QVariantMap& now = objects[i].second;
        for (auto it = now.begin(); it != now.end(); ++it) {
            if (before.value(it.key()) != it.value()) {
                pageOf_.insert(SettingsStore::changeKey(names[i], it.key()), current_);
                howOf_.remove(SettingsStore::changeKey(names[i], it.key()));
            }
        }
    }
    takeSnapshot();
}

bool SettingsWindow::save()
{
    if (!store())
        return false;
    close();
    return true;
}

bool SettingsWindow::store()
{
    if (OpenPage* open = find(current_); open && !open->view->leaveFocusedControl())
        return false;
    noteChanges();
    // Every page's checks at once, also of pages not opened: nothing is
    // stored while a problem remains.
    if (std::vector<CheckProblem> found = checkAllPages(); !found.empty()) {
        showProblems(std::move(found));
        return false;
    }
    if (problems_)
        problems_->close();
    try {
        // Another workstation's change is never saved over unasked.
        if (!settleConflicts())
            return false;
        // The pages learn of the save first, so that a page with pending changes
        // (the database page) applies them before the settings are stored.
        app_.RaiseNotify(u"frmInstellingen"_s, u"Setup"_s, u"WijzigingenOpslaan"_s, QVariant());
        if (!saveAskingAgain())
            return false;
    } catch (const RuntimeError& e) {
        app_.ui().msgBox(u"De instellingen zijn niet opgeslagen.\r\n\r\n"_s + e.description(), MsgButtons::OK,
                         MsgIcon::Critical, u"Instellingen"_s);
        return false;
    }
    pageOf_.clear();
    howOf_.clear();
    takeSnapshot();
    result_ = Result::Saved;
    return true;
}

void SettingsWindow::cancel()
{
    discard();
    close();
}

void SettingsWindow::discard()
{
    try {
        app_.reloadSettings();
    } catch (const RuntimeError& e) {
        // The stored settings could be read at start; if they cannot now, what
        // the program holds is dropped all the same when it ends.
        qWarning("%s", qPrintable(e.description()));
    }
    pageOf_.clear();
    howOf_.clear();
    result_ = Result::Cancelled;
}

void SettingsWindow::closeEvent(QCloseEvent* event)
{
    if (result_ == Result::Open && !settleBeforeClosing()) {
        event->ignore();
        return;
    }
    rememberView();
    event->accept();
}

bool SettingsWindow::settleBeforeClosing()
{
    // Closing the window by its frame: unsaved changes are not dropped unasked.
    if (app_.hasUnsavedChanges()) {
        const MsgResult answer = app_.ui().msgBox(u"Wilt u de gewijzigde instellingen opslaan?"_s,
                                                  MsgButtons::YesNoCancel, MsgIcon::Question, u"Instellingen"_s);
        if (answer == MsgResult::Cancel)
            return false;
        if (answer == MsgResult::Yes)
            return store();
    }
    discard();
    return true;
}

void SettingsWindow::rememberView()
{
    // A maximised window is remembered at the size it goes back to.
    const QSize kept =
        (isMaximized() || isFullScreen()) && normalGeometry().isValid() ? normalGeometry().size() : size();
    // A convenience only: a hive that refuses the values is not worth a message.
    const Registry& reg = app_.registry();
    reg.RegSetString(Hive::HKEY_CURRENT_USER, WindowKey, WidthValue, QString::number(kept.width()));
    reg.RegSetString(Hive::HKEY_CURRENT_USER, WindowKey, HeightValue, QString::number(kept.height()));
    rememberPage();
}

void SettingsWindow::rememberPage()
{
    if (!current_.isEmpty())
        app_.registry().RegSetString(Hive::HKEY_CURRENT_USER, WindowKey, PageValue, current_);
}

void SettingsWindow::restoreSize()
{
    const Registry& reg = app_.registry();
    bool widthRead = false;
    bool heightRead = false;
    const QSize stored(reg.RegGetString(Hive::HKEY_CURRENT_USER, WindowKey, WidthValue, QString()).toInt(&widthRead),
                       reg.RegGetString(Hive::HKEY_CURRENT_USER, WindowKey, HeightValue, QString()).toInt(&heightRead));
    // A size from a larger screen than this one would put the buttons out of
    // reach: the window keeps its first size then.
    if (!widthRead || !heightRead || stored.isEmpty() ||
        stored.boundedTo(screen()->availableGeometry().size()) != stored)
        return;
    resize(stored.expandedTo(minimumSizeHint()));
}

bool SettingsWindow::showStartPage(const QString& askedPage)
{
    if (!askedPage.isEmpty())
        return showPage(askedPage);
    // A page that is no longer part of the program is passed over.
    const QString last = app_.registry().RegGetString(Hive::HKEY_CURRENT_USER, WindowKey, PageValue, QString());
    if (!last.isEmpty() && showPage(last))
        return true;
    return !registry_.pages().empty() && showPage(registry_.pages().front().className);
}

QHash<QString, QString> SettingsWindow::pageTitles() const
{
    QHash<QString, QString> titles;
    for (const PageInfo& info : registry_.pages())
        titles.insert(info.className, listTitle(info.className));
    return titles;
}

const SettingCatalogue& SettingsWindow::catalogue()
{
    if (!catalogue_)
        catalogue_ = std::make_unique<SettingCatalogue>(inspector_, app_.userSetup());
    return *catalogue_;
}

bool SettingsWindow::revertChange(const ChangeEntry& entry)
{
    const QString caption = u"Deze wijziging terugdraaien"_s;
    ChangeReverter reverter(app_, inspector_, catalogue());
    const ChangeReverter::Result looked = reverter.check(entry);
    if (looked.outcome == ChangeReverter::Outcome::Refused) {
        app_.ui().msgBox(looked.message, MsgButtons::OK, MsgIcon::Exclamation, caption);
        return false;
    }
    // Asked every time, naming what the setting reads now and what it gets
    // again; a change made since that line is said first.
    const SettingPresentation shown = catalogue().find(entry.object, entry.setting);
    const Settings& settings = entry.object == ChangeHistory::GlobalSetupObject ? app_.officeSetup() : app_.userSetup();
    const QString question = u"Wilt u %1 terugzetten?\r\n\r\nNu: %2\r\nWordt weer: %3"_s.arg(
        listedCaption(shown), shownValue(shown, settings.value(entry.setting)), shownValueText(shown, entry.oldValue));
    const QString asked =
        looked.outcome == ChangeReverter::Outcome::AskFirst ? looked.message + u"\r\n\r\n"_s + question : question;
    if (app_.ui().msgBox(asked, MsgButtons::YesNo, MsgIcon::Question, caption) != MsgResult::Yes)
        return false;
    if (OpenPage* open = find(current_); open && !open->view->leaveFocusedControl())
        return false;
    // What the user changed on the open page so far stays that page's change.
    noteChanges();
    const ChangeReverter::Result r =
        reverter.revert(entry, true, [this](const QString& className) { return openedPage(className); });
    if (r.outcome != ChangeReverter::Outcome::Done) {
        app_.ui().msgBox(r.message, MsgButtons::OK, MsgIcon::Exclamation, caption);
        return false;
    }
    for (auto it = r.pageOf.begin(); it != r.pageOf.end(); ++it) {
        pageOf_.insert(it.key(), it.value());
        howOf_.insert(it.key(), ChangeHistory::ByRevert);
    }
    refillOpenPages();
    // Stored as a save stores, after the check of every page.
    return store();
}

std::unique_ptr<ChangeHistoryDialog> SettingsWindow::historyDialog(bool wholeOffice)
{
    // The whole history either way; a page's history is that list filtered
    // on the page, which the user can widen.
    auto dialog = std::make_unique<ChangeHistoryDialog>(u"Wijzigingen van het kantoor"_s, app_.changeHistory(),
                                                        catalogue(), pageTitles(), app_.ui(), this);
    if (const SettingsPage* page = currentPage(); page && !wholeOffice)
        dialog->filter(page->componentName(), QString(), QString());
    ChangeHistoryDialog* shown = dialog.get();
    dialog->onRevert = [this, shown](const ChangeEntry& entry) {
        if (!revertChange(entry))
            return false;
        shown->setEntries(app_.changeHistory());
        return true;
    };
    return dialog;
}

} // namespace tarvelo

namespace tarvelo {

void SettingsWindow::offerResets(OpenPage& open)
{
    for (const auto& binding : open.page->settingBindings().all()) {
        Binding* bound = binding.get();
        for (Control* control : bound->controls()) {
            QWidget* widget = open.view->widgetOf(*control);
            if (!widget)
                continue;
            widget->setContextMenuPolicy(Qt::CustomContextMenu);
            QObject::connect(widget, &QWidget::customContextMenuRequested, widget,
                             [this, widget, bound, control](QPoint at) {
                                 QMenu menu(widget);
                                 QAction* reset = menu.addAction(u"Standaardwaarde herstellen"_s);
                                 reset->setEnabled(!bound->isLocked() && bound->differsFromDefault());
                                 if (menu.exec(widget->mapToGlobal(at)) == reset)
                                     resetToDefault(*control);
                             });
        }
    }
}

bool SettingsWindow::resetToDefault(Control& control)
{
    SettingsPage* page = currentPage();
    Binding* binding = page ? page->settingBindings().bindingOf(control) : nullptr;
    if (!binding || !binding->resetToDefault())
        return false;
    noteChanges();
    refreshListMarkers();
    return true;
}

bool SettingsWindow::resetPageToDefaults()
{
    SettingsPage* page = currentPage();
    if (!page)
        return false;
    const MsgResult answer =
        app_.ui().msgBox(u"Alle instellingen op deze pagina terugzetten naar de standaardwaarde?"_s, MsgButtons::YesNo,
                         MsgIcon::Question, u"Standaardwaarden herstellen"_s);
    if (answer != MsgResult::Yes)
        return false;
    page->settingBindings().resetAll();
    noteChanges();
    refreshListMarkers();
    return true;
}

bool SettingsWindow::pageHoldsChanges(const QString& className)
{
    if (SettingsPage* page = openedPage(className)) {
        // Controls the page fills itself carry their own marker.
        const std::vector<Control*> controls = page->form().controls();
        return std::any_of(controls.begin(), controls.end(),
                           [](const Control* c) { return c->settingMarker() == SettingMarker::ChangedFromDefault; });
    }
    for (const PageFacts& facts : inspector_.pages()) {
        if (facts.className.compare(className, Qt::CaseInsensitive) != 0)
            continue;
        for (const BoundSetting& s : facts.settings) {
            const Settings& settings =
                s.object == ChangeHistory::GlobalSetupObject ? app_.officeSetup() : app_.userSetup();
            const QVariant value = settings.value(s.name);
            const bool empty =
                value.typeId() == QMetaType::QString ? value.toString().isEmpty() : value.toDouble() == 0;
            if (value != s.defaultValue && !(s.emptyIsDefault && empty))
                return true;
        }
    }
    return false;
}

QIcon SettingsWindow::blankMarker() const
{
    const QPixmap mark = markerPicture(SettingMarker::ChangedFromDefault, list_->palette());
    QPixmap none(mark.size());
    none.setDevicePixelRatio(mark.devicePixelRatio());
    none.fill(Qt::transparent);
    return QIcon(none);
}

void SettingsWindow::refreshListMarkers()
{
    // On the selected entry the mark takes the selection's text colour, so
    // that it stands out from the selection as it does from the list.
    QIcon mark(markerPicture(SettingMarker::ChangedFromDefault, list_->palette()));
    mark.addPixmap(markerPicture(SettingMarker::ChangedFromDefault, list_->palette(), true), QIcon::Selected);
    // Unmarked pages keep the mark's room, so that the titles stay in line.
    const QIcon none = blankMarker();
    for (QTreeWidgetItemIterator it(list_); *it; ++it) {
        QTreeWidgetItem* item = *it;
        if (item->data(0, IndexRole).toInt() != -2)
            continue;
        const bool changed = pageHoldsChanges(item->data(0, ClassRole).toString());
        item->setIcon(0, changed ? mark : none);
        item->setToolTip(0, changed ? item->text(0) + u"\n"_s + ChangedPageNote : item->text(0));
        // A screen reader says the mark too.
        item->setData(0, Qt::AccessibleDescriptionRole, changed ? ChangedPageNote : QString());
    }
}

std::vector<CheckProblem> SettingsWindow::checkAllPages()
{
    return inspector_.check([this](const QString& className) { return openedPage(className); });
}

void SettingsWindow::showProblems(std::vector<CheckProblem> problems)
{
    problems_ = std::make_unique<CheckProblemsDialog>(
        std::move(problems),
        [this](const CheckProblem& p) {
            if (showPage(p.className) && !p.field.isEmpty())
                focusHit(p.field, p.fieldIndex);
        },
        this);
    problems_->setWindowFlag(Qt::Window);
    problems_->show();
}

void SettingsWindow::refillOpenPages()
{
    // Each page is filled as a change from elsewhere fills it: with the new
    // values, and the user stays where they were on it. What was just taken
    // in (a change taken back, an import) and what a hidden page's fill
    // writes are no page's change.
    for (auto& [key, open] : pages_) {
        takeSnapshot();
        stalePages_.remove(key);
        refreshPage(open, key == current_.toLower());
    }
    takeSnapshot();
    // Also with no page open: the pages not open hold the new values too.
    refreshListMarkers();
}

bool SettingsWindow::exportTo(const QString& file, const std::optional<QString>& passphrase)
{
    try {
        // The reference host gives the office's key along and leaves out what it could not open.
        const auto* reference = dynamic_cast<const ReferenceApplication*>(&app_);
        SettingsProfile::save(file,
                              SettingsProfile::write(app_.userSetup(), app_.officeSetup(), passphrase,
                                                     reference && passphrase ? reference->officeKey() : QByteArray(),
                                                     reference ? reference->unreadableSecrets() : QStringList()));
    } catch (const RuntimeError& e) {
        app_.ui().msgBox(e.description(), MsgButtons::OK, MsgIcon::Critical, u"Instellingen exporteren"_s);
        return false;
    }
    return true;
}

bool SettingsWindow::importFrom(const QString& file, const std::function<std::optional<QString>()>& passphrase,
                                const std::function<bool(ImportPlan&, std::vector<ProfileDifference>&)>& choose)
{
    const QString caption = u"Instellingen importeren"_s;
    ImportPlan plan;
    try {
        plan = SettingsProfile::plan(SettingsProfile::load(file), app_.userSetup(), app_.officeSetup(), passphrase);
    } catch (const ProfileError& e) {
        app_.ui().msgBox(e.message(), MsgButtons::OK, MsgIcon::Critical, caption);
        return false;
    }
    std::vector<ProfileDifference> chosen;
    if (!choose(plan, chosen))
        return false;
    // The office key comes first: the office's passwords open with it.
    if (auto* reference = dynamic_cast<ReferenceApplication*>(&app_); reference && !plan.officeKey.isEmpty()) {
        try {
            reference->receiveOfficeKey(plan.officeKey);
        } catch (const RuntimeError& e) {
            app_.ui().msgBox(u"Er is niets geïmporteerd: "_s + e.description(), MsgButtons::OK, MsgIcon::Critical,
                             caption);
            return false;
        }
    }
    if (chosen.empty())
        return false;
    // What the user changed on the open page so far stays that page's change.
    noteChanges();
    try {
        for (const QString& key : SettingsProfile::apply(chosen, app_.userSetup(), app_.officeSetup())) {
            // An imported setting's change is the change of the page that shows it.
            const qsizetype dot = key.indexOf(u'.');
            pageOf_.insert(key, catalogue().find(key.left(dot), key.mid(dot + 1)).page);
            howOf_.insert(key, ChangeHistory::ByImport);
        }
    } catch (const RuntimeError& e) {
        app_.ui().msgBox(u"Er is niets geïmporteerd: "_s + e.description(), MsgButtons::OK, MsgIcon::Critical, caption);
        return false;
    }
    refillOpenPages();
    return true;
}

void SettingsWindow::exportChosen()
{
    ExportSettingsDialog choice(this);
    if (choice.exec() != QDialog::Accepted)
        return;
    FileRequest request;
    request.title = u"Instellingen exporteren"_s;
    request.fileName = u"instellingen.json"_s;
    request.filter = u"Instellingenbestanden (*.json)|*.json|Alle bestanden (*.*)|*.*"_s;
    request.defaultExtension = u"json"_s;
    if (const std::optional<QString> file = app_.ui().chooseSaveFile(request))
        exportTo(*file, choice.passphrase());
}

void SettingsWindow::importChosen()
{
    FileRequest request;
    request.title = u"Instellingen importeren"_s;
    request.filter = u"Instellingenbestanden (*.json)|*.json|Alle bestanden (*.*)|*.*"_s;
    const std::optional<QString> file = app_.ui().chooseOpenFile(request);
    if (!file)
        return;
    const auto askPassphrase = [this]() -> std::optional<QString> {
        bool ok = false;
        const QString text =
            QInputDialog::getText(this, u"Instellingen importeren"_s,
                                  u"Dit bestand bevat versleutelde wachtwoorden.\nWachtwoord van het bestand "
                                  "(leeg laten: zonder de wachtwoorden):"_s,
                                  QLineEdit::Password, QString(), &ok);
        return ok && !text.isEmpty() ? std::optional<QString>(text) : std::nullopt;
    };
    importFrom(*file, askPassphrase, [this](ImportPlan& plan, std::vector<ProfileDifference>& chosen) {
        ImportPreviewDialog preview(plan, catalogue(), this);
        if (preview.exec() != QDialog::Accepted)
            return false;
        chosen = preview.chosen();
        return true;
    });
}

} // namespace tarvelo
