#include "app/SettingsWindow.h"

#include "app/ChangeHistoryDialog.h"
#include "app/WindowPages.h"
#include "app/render/FormView.h"
#include "app/render/QtConversions.h"
#include "framework/errors/RuntimeError.h"
#include "framework/host/Settings.h"
#include "framework/page/PageRegistry.h"
#include "framework/page/SettingsPage.h"
#include "framework/registry/Registry.h"
#include "framework/registry/RegistryNames.h"
#include "framework/ui/Ui.h"
#include "host/ReferenceApplication.h"
#include "host/office/ChangeHistory.h"
#include "host/office/SettingsStore.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tarvelo {

namespace {
constexpr int ClassRole = Qt::UserRole;
constexpr int ControlRole = Qt::UserRole + 1;
constexpr int IndexRole = Qt::UserRole + 2;

// The groups in the order the window lists them.
QStringList groupOrder()
{
    return {PageGroup::Algemeen, PageGroup::DatabaseEnHdn, PageGroup::Adviseurs, PageGroup::Maatschappijen,
            PageGroup::Advisering, PageGroup::Kantoor, PageGroup::Koppelingen};
}

// Pixels between the page and the edges of the scrolling area.
constexpr int PageMargin = 8;

// Where the window keeps, per user, how it was left.
const QString WindowKey = RegistryNames::ProductKey + QStringLiteral("\\InstellingenVenster");
constexpr QLatin1StringView WidthValue{"Breedte"};
constexpr QLatin1StringView HeightValue{"Hoogte"};
constexpr QLatin1StringView PageValue{"Pagina"};

QString shortened(const QString& text)
{
    return text.size() > 60 ? text.left(57) + QStringLiteral("...") : text;
}
} // namespace

SettingsWindow::SettingsWindow(const PageRegistry& registry, ReferenceApplication& application, QWidget* parent)
    : QWidget(parent), registry_(registry), app_(application), search_(registry)
{
    setObjectName(QStringLiteral("frmInstellingen"));
    setWindowTitle(QStringLiteral("Instellingen"));
    // The list, search box and buttons in the pages' font, so that the window
    // and the page in it read alike, whatever the application font is.
    setFont(toQFont(Font()));

    searchBox_ = new QLineEdit(this);
    searchBox_->setObjectName(QStringLiteral("txtZoeken"));
    searchBox_->setPlaceholderText(QStringLiteral("Zoeken in de instellingen"));
    searchBox_->setClearButtonEnabled(true);
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("lvwPaginas"));
    list_->setHeaderHidden(true);
    list_->setRootIsDecorated(false);
    list_->setIndentation(14);
    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(searchBox_);
    leftLayout->addWidget(list_);

    heading_ = new QLabel(this);
    heading_->setObjectName(QStringLiteral("lblTitel"));
    QFont headingFont = heading_->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.4);
    headingFont.setBold(true);
    heading_->setFont(headingFont);
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("scrPagina"));
    scroll_->setWidgetResizable(false);
    scroll_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scroll_->setBackgroundRole(QPalette::Base);
    pageHolder_ = new QWidget;
    pageHolder_->setObjectName(QStringLiteral("pagHouder"));
    scroll_->setWidget(pageHolder_);
    auto* right = new QWidget(this);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(heading_);
    rightLayout->addWidget(scroll_, 1);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(left);
    splitter->addWidget(right);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({240, 560});

    auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    history_ = button("cmdWijzigingen", QStringLiteral("Wijzigingen"));
    history_->setToolTip(QStringLiteral("De opgeslagen wijzigingen van deze pagina"));
    officeHistory_ = button("cmdWijzigingenKantoor", QStringLiteral("Wijzigingen kantoor"));
    officeHistory_->setToolTip(QStringLiteral("De opgeslagen wijzigingen van het hele kantoor"));
    save_ = button("cmdOpslaan", QStringLiteral("Opslaan"));
    save_->setDefault(true);
    cancel_ = button("cmdAnnuleren", QStringLiteral("Annuleren"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(history_);
    buttons->addWidget(officeHistory_);
    buttons->addStretch();
    buttons->addWidget(save_);
    buttons->addWidget(cancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addLayout(buttons);

    QObject::connect(searchBox_, &QLineEdit::textChanged, this, [this](const QString& text) { buildList(text); });
    QObject::connect(searchBox_, &QLineEdit::returnPressed, this, [this] {
        // Enter opens the first thing found.
        for (QTreeWidgetItemIterator it(list_); *it; ++it) {
            if (!(*it)->data(0, ClassRole).toString().isEmpty() && !(*it)->isHidden()) {
                list_->setCurrentItem(*it);
                break;
            }
        }
    });
    QObject::connect(list_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item, QTreeWidgetItem*) {
        if (!choosing_)
            chosen(item);
    });
    QObject::connect(save_, &QPushButton::clicked, this, [this] { save(); });
    QObject::connect(cancel_, &QPushButton::clicked, this, [this] { cancel(); });
    QObject::connect(history_, &QPushButton::clicked, this, [this] { historyDialog(false)->exec(); });
    QObject::connect(officeHistory_, &QPushButton::clicked, this, [this] { historyDialog(true)->exec(); });

    buildList(QString());
    resize(defaultSize().boundedTo(screen()->availableGeometry().size()));
}

SettingsWindow::~SettingsWindow()
{
    // Pages may still ask about work they collected, while they are drawn.
    for (auto& [name, open] : pages_)
        open.page->Terminate();
    // Views go before their pages, pages before the host they listen to.
    for (auto& [name, open] : pages_)
        open.view.reset();
    pages_.clear();
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
            }
            auto* pageItem = new QTreeWidgetItem(groupItem, {m.page->title});
            pageItem->setData(0, ClassRole, m.page->className);
            pageItem->setData(0, IndexRole, -2);
            for (const PageSearch::ControlHit& hit : m.hits) {
                auto* hitItem = new QTreeWidgetItem(pageItem, {shortened(hit.text)});
                hitItem->setToolTip(0, hit.text);
                hitItem->setData(0, ClassRole, m.page->className);
                hitItem->setData(0, ControlRole, hit.name);
                hitItem->setData(0, IndexRole, hit.index);
            }
        }
    }
    list_->expandAll();
    if (searching && matches.empty()) {
        auto* none = new QTreeWidgetItem(list_, {QStringLiteral("Niets gevonden")});
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
        search_.index(created.page->componentName(), created.page->form());
        open = &pages_.emplace(className.toLower(), std::move(created)).first->second;
    }
    if (FormView* shown = currentView())
        shown->hide();
    current_ = open->page->componentName();
    app_.setOpenPage(current_);
    heading_->setText(open->page->Titel());
    open->view->flushPending();
    open->view->show();
    followPageSize();
    scroll_->verticalScrollBar()->setValue(0);
    scroll_->horizontalScrollBar()->setValue(0);
    selectCurrentInList();
    return true;
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
    const std::pair<const QVariantMap*, const QVariantMap> objects[] = {
        {&setupBefore_, app_.SettingsObject().toMap()}, {&globalBefore_, app_.GlobalSetup().toMap()}};
    const QString names[] = {ChangeHistory::SetupObject, ChangeHistory::GlobalSetupObject};
    for (int i = 0; i < 2; ++i) {
        const QVariantMap& before = *objects[i].first;
        const QVariantMap& now = objects[i].second;
        for (auto it = now.begin(); it != now.end(); ++it) {
            if (before.value(it.key()) != it.value())
                pageOf_.insert(SettingsStore::changeKey(names[i], it.key()), current_);
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
    if (!leaveCurrentPage())
        return false;
    // The pages learn of the save first, so that a page with pending changes
    // (the database page) applies them before the settings are stored.
    app_.RaiseNotify(QStringLiteral("frmInstellingen"), QStringLiteral("Setup"), QStringLiteral("WijzigingenOpslaan"),
                     QVariant());
    try {
        app_.saveSettings(pageOf_);
    } catch (const RuntimeError& e) {
        app_.ui().msgBox(QStringLiteral("De instellingen zijn niet opgeslagen.\r\n\r\n") + e.description(),
                         MsgButtons::OK, MsgIcon::Critical, QStringLiteral("Instellingen"));
        return false;
    }
    pageOf_.clear();
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
        const MsgResult answer =
            app_.ui().msgBox(QStringLiteral("Wilt u de gewijzigde instellingen opslaan?"), MsgButtons::YesNoCancel,
                             MsgIcon::Question, QStringLiteral("Instellingen"));
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
    reg.RegSetString(Hive::HKEY_CURRENT_USER, WindowKey, PageValue, current_);
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

std::unique_ptr<ChangeHistoryDialog> SettingsWindow::historyDialog(bool wholeOffice)
{
    QHash<QString, QString> titles;
    for (const PageInfo& info : registry_.pages())
        titles.insert(info.className, info.title);
    const SettingsPage* page = currentPage();
    const QString caption = wholeOffice || !page
                                ? QStringLiteral("Wijzigingen van het kantoor")
                                : QStringLiteral("Wijzigingen - %1").arg(page->Titel());
    const std::vector<ChangeEntry> entries =
        app_.changeHistory(wholeOffice || !page ? QString() : page->componentName());
    return std::make_unique<ChangeHistoryDialog>(caption, entries, app_.SettingsObject(), titles, this);
}

} // namespace tarvelo
