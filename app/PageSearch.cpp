#include "app/PageSearch.h"

#include "app/render/QtConversions.h"
#include "framework/forms/CheckBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Form.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/forms/ListView.h"
#include "framework/page/PageRegistry.h"
#include "framework/page/SettingsPage.h"

namespace tarvelo {

QString searchKey(const QString& text)
{
    const QString decomposed = withoutAccessKey(text).normalized(QString::NormalizationForm_KD);
    QString key;
    key.reserve(decomposed.size());
    for (QChar c : decomposed) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        key += c.toLower();
    }
    return key.simplified();
}

namespace {
// The texts a user reads on a control.
QStringList textsOf(const Control& c)
{
    QStringList texts;
    switch (c.kind()) {
    case ControlKind::Frame: texts << static_cast<const Frame&>(c).caption(); break;
    case ControlKind::Label:
    case ControlKind::Hint: texts << static_cast<const Label&>(c).caption(); break;
    case ControlKind::CheckBox: texts << static_cast<const CheckBox&>(c).caption(); break;
    case ControlKind::OptionButton: texts << static_cast<const OptionButton&>(c).caption(); break;
    case ControlKind::CommandButton: texts << static_cast<const CommandButton&>(c).caption(); break;
    case ControlKind::ListView: {
        const auto& list = static_cast<const ListView&>(c);
        for (int i = 1; i <= list.columnCount(); ++i)
            texts << list.column(i).text;
        break;
    }
    default: break;
    }
    texts << c.toolTipText();
    texts.removeAll(QString());
    return texts;
}

bool holdsAll(const QString& key, const QStringList& words)
{
    for (const QString& w : words) {
        if (!key.contains(w))
            return false;
    }
    return true;
}

bool focusable(const Control& c)
{
    switch (c.kind()) {
    case ControlKind::TextBox:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
    case ControlKind::ComboBox:
    case ControlKind::ListBox:
    case ControlKind::ListView:
    case ControlKind::CommandButton:
    case ControlKind::YesNo:
    case ControlKind::Address: return true;
    default: return false;
    }
}

bool inside(const Control& c, const Control& container)
{
    for (const Control* p = c.parent(); p; p = p->parent()) {
        if (p == &container)
            return true;
    }
    return false;
}
} // namespace

PageSearch::PageSearch(const PageRegistry& registry)
{
    // Found by the name the list shows and by the page's own title.
    for (const PageInfo& info : registry.pages())
        pages_.push_back({&info, searchKey(info.listName + u' ' + info.title), {}});
}

void PageSearch::indexUnopened()
{
    for (IndexedPage& p : pages_) {
        if (p.indexed)
            continue;
        const std::unique_ptr<SettingsPage> page = p.page->create();
        index(p.page->className, page->form());
    }
}

void PageSearch::index(const QString& className, const Form& form)
{
    for (IndexedPage& p : pages_) {
        if (p.page->className.compare(className, Qt::CaseInsensitive) != 0)
            continue;
        p.entries.clear();
        p.indexed = true;
        for (const Control* c : form.controls()) {
            for (const QString& text : textsOf(*c))
                p.entries.push_back({c->name(), c->index(), withoutAccessKey(text).simplified(), searchKey(text)});
        }
    }
}

std::vector<PageSearch::PageMatch> PageSearch::find(const QString& query)
{
    const QStringList words = searchKey(query).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    std::vector<PageMatch> found;
    if (words.isEmpty())
        return found;
    indexUnopened();
    for (const IndexedPage& p : pages_) {
        PageMatch match;
        match.page = p.page;
        match.titleMatches = holdsAll(p.titleKey, words);
        for (const Entry& e : p.entries) {
            const bool seen = std::any_of(match.hits.begin(), match.hits.end(),
                                          [&](const ControlHit& h) { return h.name == e.name && h.index == e.index; });
            if (!seen && holdsAll(e.key, words))
                match.hits.push_back({e.name, e.index, e.text});
        }
        if (match.titleMatches || !match.hits.empty())
            found.push_back(std::move(match));
    }
    return found;
}

Control* PageSearch::focusTarget(const Form& form, Control& matched)
{
    if (focusable(matched))
        return &matched;
    const std::vector<Control*> all = form.controls();
    auto at = std::find(all.begin(), all.end(), &matched);
    if (at == all.end())
        return nullptr;
    if (matched.kind() == ControlKind::Frame) {
        for (auto it = at + 1; it != all.end(); ++it) {
            if (inside(**it, matched) && focusable(**it))
                return *it;
        }
        return nullptr;
    }
    // A label names the field declared after it in the same container.
    for (auto it = at + 1; it != all.end(); ++it) {
        if ((*it)->parent() == matched.parent() && focusable(**it))
            return *it;
    }
    return nullptr;
}

} // namespace tarvelo
