#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace tarvelo {

class Control;
class Form;
class PageRegistry;
struct PageInfo;

// Finds settings pages by what a user reads on them: the title, and the
// captions, labels, hints, column headers and tooltips of their controls.
// A page's texts are taken when the window opens it; at the first search each
// page not opened yet is created once, unattached and off-screen, to read
// them, so that a window nobody searches in builds no page it does not show.
class PageSearch {
public:
    struct ControlHit {
        QString name;
        int index = -1;
        QString text; // as shown, without access-key marks
    };
    struct PageMatch {
        const PageInfo* page = nullptr;
        bool titleMatches = false;
        std::vector<ControlHit> hits; // in the page's own order
    };

    explicit PageSearch(const PageRegistry& registry);

    // Takes the texts of a page as it is now (captions set while filling).
    void index(const QString& className, const Form& form);

    // The pages whose title or texts hold every word of the query, ignoring
    // case and accents, in the registry's order. An empty query finds nothing.
    std::vector<PageMatch> find(const QString& query);

    // Where the focus goes for a control that matched: the control itself when
    // a user can type or click in it, the field after a label, the first field
    // in a frame; null when there is none.
    static Control* focusTarget(const Form& form, Control& matched);

private:
    struct Entry {
        QString name;
        int index;
        QString text;
        QString key; // folded for comparing
    };
    struct IndexedPage {
        const PageInfo* page;
        QString titleKey;
        std::vector<Entry> entries;
        bool indexed = false;
    };

    void indexUnopened();

    std::vector<IndexedPage> pages_;
};

// Lower case without accents or access-key marks: "Geïnstalleerd" and
// "&geinstalleerd" compare equal.
QString searchKey(const QString& text);

} // namespace tarvelo
