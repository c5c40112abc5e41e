#include "app/render/AccessKeys.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QTextDocument>
#include <QVariant>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {

// What the widget showed when it was last given its key, and the text it was
// given that key in.
constexpr const char* ShownProperty = "tarveloAccessKeyShown";
constexpr const char* SourceProperty = "tarveloAccessKeySource";
constexpr const char* WithoutProperty = "tarveloWithoutAccessKey";

// Keys a user types with Alt on every keyboard.
bool keyable(QChar c)
{
    const QChar lower = c.toLower();
    return (lower >= u'a' && lower <= u'z') || (lower >= u'0' && lower <= u'9');
}

// Calls found(index, wordStart) for every character of the text that can be
// an access key, in its order; an "&&" shows one "&" and is skipped.
template <typename Found>
void eachKeyable(const QString& caption, Found found)
{
    bool wordStart = true;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        QChar c = caption[i];
        if (c == u'&' && i + 1 < caption.size() && caption[i + 1] == u'&') {
            ++i;
            wordStart = true;
            continue;
        }
        if (keyable(c) && !found(i, wordStart))
            return;
        wordStart = !c.isLetterOrNumber() && c != u'\'';
    }
}

QString textOf(QWidget& w)
{
    if (auto* label = qobject_cast<QLabel*>(&w))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(&w))
        return button->text();
    if (auto* box = qobject_cast<QGroupBox*>(&w))
        return box->title();
    return QString();
}

void setTextOf(QWidget& w, const QString& text)
{
    if (auto* label = qobject_cast<QLabel*>(&w))
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(&w))
        button->setText(text);
}

// A widget that answers an access key of its own: a label that names a field
// (in plain text), a button, a check box or an option.
bool takesKey(QWidget& w)
{
    if (w.property(WithoutProperty).toBool())
        return false;
    if (auto* label = qobject_cast<QLabel*>(&w)) {
        return label->buddy() && (label->textFormat() == Qt::PlainText ||
                                  (label->textFormat() == Qt::AutoText && !Qt::mightBeRichText(label->text())));
    }
    return qobject_cast<QAbstractButton*>(&w) != nullptr;
}

// The text the key goes into: what the widget shows, unless that is what
// this code made of it last time.
QString sourceOf(QWidget& w)
{
    const QString shown = textOf(w);
    const QVariant given = w.property(ShownProperty);
    if (given.isValid() && given.toString() == shown)
        return w.property(SourceProperty).toString();
    return shown;
}

void show(QWidget& w, const QString& source, const QString& text)
{
    w.setProperty(SourceProperty, source);
    w.setProperty(ShownProperty, text);
    if (textOf(w) != text)
        setTextOf(w, text);
}

} // namespace

QChar accessKeyOf(const QString& caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&')
            continue;
        if (caption[i + 1] == u'&') {
            ++i;
            continue;
        }
        return caption[i + 1].toLower();
    }
    return QChar();
}

QString withFreeAccessKey(const QString& caption, const QSet<QChar>& taken, bool wordStartsOnly)
{
    // A sign ("...", "X") is no word to take a letter from.
    if (!accessKeyOf(caption).isNull() || caption.trimmed().size() < 2)
        return caption;
    // The first word's first letter, then the first letters of the other
    // words, then any letter in its order.
    qsizetype chosen = -1;
    for (const bool wordStarts : {true, false}) {
        if (!wordStarts && wordStartsOnly)
            break;
        eachKeyable(caption, [&](qsizetype i, bool wordStart) {
            if ((wordStarts && !wordStart) || taken.contains(caption[i].toLower()))
                return true;
            chosen = i;
            return false;
        });
        if (chosen >= 0)
            break;
    }
    if (chosen < 0)
        return caption;
    QString keyed = caption;
    keyed.insert(chosen, u'&');
    return keyed;
}

void giveAccessKeys(QWidget& window, const std::vector<QWidget*>& first)
{
    const auto shown = [&](QWidget* w) { return w == &window || w->isVisibleTo(&window); };
    // The labels by the field they name, to take them where Tab reaches it.
    QHash<QWidget*, std::vector<QLabel*>> labelsOf;
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (label->buddy() && takesKey(*label) && shown(label))
            labelsOf[label->buddy()].push_back(label);
    }
    std::vector<QWidget*> order;
    QSet<QWidget*> listed;
    const auto add = [&](QWidget* w) {
        if (w && !listed.contains(w) && shown(w) && takesKey(*w)) {
            listed.insert(w);
            order.push_back(w);
        }
    };
    for (QWidget* w : first)
        add(w);
    for (QWidget* w = window.nextInFocusChain(); w && w != &window; w = w->nextInFocusChain()) {
        for (QLabel* label : labelsOf.value(w))
            add(label);
        if (!qobject_cast<QLabel*>(w))
            add(w);
    }
    for (auto it = labelsOf.cbegin(); it != labelsOf.cend(); ++it) {
        for (QLabel* label : it.value())
            add(label);
    }

    // The keys the texts already mark stay theirs, also a frame's.
    QSet<QChar> taken;
    std::vector<QString> sources;
    sources.reserve(order.size());
    for (QWidget* w : order) {
        sources.push_back(sourceOf(*w));
        if (const QChar key = accessKeyOf(sources.back()); !key.isNull())
            taken.insert(key);
    }
    for (QGroupBox* box : window.findChildren<QGroupBox*>()) {
        if (const QChar key = accessKeyOf(box->title()); !key.isNull() && shown(box))
            taken.insert(key);
    }
    // First every caption that can have a word's first letter, then the rest
    // any letter, so that a later caption does not lose its first letter to
    // an earlier one's inner letter.
    std::vector<QString> keyed = sources;
    for (const bool wordStartsOnly : {true, false}) {
        for (std::size_t i = 0; i < order.size(); ++i) {
            if (!accessKeyOf(keyed[i]).isNull())
                continue;
            keyed[i] = withFreeAccessKey(sources[i], taken, wordStartsOnly);
            if (const QChar key = accessKeyOf(keyed[i]); !key.isNull())
                taken.insert(key);
        }
    }
    // A window with more captions than keys: a caption whose letters are all
    // taken shares the least used of its words' first letters; Alt and that
    // letter then goes from one to the next, and presses nothing.
    QHash<QChar, int> uses;
    for (const QString& text : keyed) {
        if (const QChar key = accessKeyOf(text); !key.isNull())
            ++uses[key];
    }
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (!accessKeyOf(keyed[i]).isNull())
            continue;
        qsizetype best = -1;
        eachKeyable(sources[i], [&](qsizetype at, bool wordStart) {
            if (wordStart &&
                (best < 0 || uses.value(sources[i][at].toLower()) < uses.value(sources[i][best].toLower())))
                best = at;
            return true;
        });
        if (best < 0 || sources[i].trimmed().size() < 2)
            continue;
        keyed[i] = sources[i];
        keyed[i].insert(best, u'&');
        ++uses[sources[i][best].toLower()];
    }
    for (std::size_t i = 0; i < order.size(); ++i)
        show(*order[i], sources[i], keyed[i]);
}

void keepWithoutAccessKey(QWidget& widget) { widget.setProperty(WithoutProperty, true); }

} // namespace tarvelo
