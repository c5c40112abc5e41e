#include "framework/forms/RowKeys.h"

#include <QVarLengthArray>

#include <algorithm>

namespace tarvelo {

namespace {

constexpr int MaxDigits = 19; // what a 64-bit number holds in full
constexpr int PrefixUnits = 8;

std::uint64_t powerOfTen(int n)
{
    std::uint64_t p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

// Writes value with at least width digits; returns the position after the last one.
char16_t* writeDigits(char16_t* out, std::uint64_t value, int width)
{
    char16_t digits[20];
    int n = 0;
    do {
        digits[n++] = char16_t(u'0' + value % 10);
        value /= 10;
    } while (value > 0);
    for (int i = n; i < width; ++i)
        *out++ = u'0';
    while (n > 0)
        *out++ = digits[--n];
    return out;
}

// Room for a sign, the separator and two runs of digits (a 64-bit number has up to twenty).
qsizetype digitKeyRoom(const DigitKeyLayout& layout)
{
    return 1 + std::max(20, layout.leadingDigits) + layout.separator.size() + std::max(20, layout.trailingDigits);
}

qsizetype writeDigitKey(char16_t* out, const DigitKey& key, const DigitKeyLayout& layout)
{
    char16_t* const start = out;
    if (key.negative)
        *out++ = u'-';
    out = writeDigits(out, key.leading, layout.leadingDigits);
    for (QChar c : layout.separator)
        *out++ = c.unicode();
    out = writeDigits(out, key.trailing, layout.trailingDigits);
    return out - start;
}

struct AsciiScan {
    bool ascii = true;  // no code unit beyond plain ASCII
    bool upper = false; // an ASCII capital
};

AsciiScan scanAscii(QStringView text)
{
    AsciiScan scan;
    for (QChar c : text) {
        if (c.unicode() >= 0x80)
            return {false, scan.upper};
        scan.upper = scan.upper || (c.unicode() >= 'A' && c.unicode() <= 'Z');
    }
    return scan;
}

char16_t lowered(char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c; }

// Compares code unit by code unit from position from, where both are known to be equal before it,
// lowering ASCII capitals of a text that asks for it; a text that is a beginning of the other comes first.
int compareUnits(QStringView a, bool lowerA, QStringView b, bool lowerB, qsizetype from)
{
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = from; i < common; ++i) {
        char16_t x = a[i].unicode();
        char16_t y = b[i].unicode();
        if (lowerA)
            x = lowered(x);
        if (lowerB)
            y = lowered(y);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

} // namespace

QString FoldedSortText(const QString& text)
{
    const auto [ascii, upper] = scanAscii(text);
    if (ascii)
        return upper ? text.toLower() : text; // shared, not copied
    QString stripped;
    const QString decomposed = text.normalized(QString::NormalizationForm_KD);
    stripped.reserve(decomposed.size());
    for (QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing)
            stripped += c;
    }
    return stripped.toCaseFolded();
}

QString DigitKeyText(const DigitKey& key, const DigitKeyLayout& layout)
{
    QVarLengthArray<char16_t, 64> buffer(digitKeyRoom(layout));
    return QString(reinterpret_cast<const QChar*>(buffer.data()), writeDigitKey(buffer.data(), key, layout));
}

RowKeys::RowKeys(DigitKeyLayout layout) : layout_(std::move(layout))
{
    // Digit keys are compared as numbers only where that is the order of their texts: all of one
    // width, starting with a digit or a minus sign, and a separator that folding leaves alone.
    const QString& separator = layout_.separator;
    const bool plainSeparator = separator.isEmpty() || (separator.size() == 1 && separator[0].combiningClass() == 0 &&
                                                        FoldedSortText(separator) == separator);
    digitsAsText_ = !plainSeparator || layout_.leadingDigits < 1 || layout_.leadingDigits > MaxDigits ||
                    layout_.trailingDigits < 0 || layout_.trailingDigits > MaxDigits;
}

void RowKeys::reserve(std::size_t rows) { entries_.reserve(rows); }

void RowKeys::addText(QStringView text)
{
    const auto row = std::uint32_t(entries_.size());
    const auto [ascii, upper] = scanAscii(text);
    // Plain ASCII is lowered while comparing rather than copied for every row.
    Text folded{text, upper};
    if (!ascii) {
        ownTexts_.push_back(FoldedSortText(text.toString()));
        folded = Text{ownTexts_.back(), false};
    }
    if (folded.text.isEmpty()) {
        entries_.push_back({0, 0, row, Empty});
        return;
    }
    std::uint64_t prefix[2] = {0, 0};
    const qsizetype units = std::min<qsizetype>(folded.text.size(), PrefixUnits);
    for (qsizetype i = 0; i < units; ++i) {
        char16_t c = folded.text[i].unicode();
        if (folded.lowerWhileComparing)
            c = lowered(c);
        prefix[i / 4] |= std::uint64_t(c) << (16 * (3 - i % 4));
    }
    entries_.push_back({prefix[0], prefix[1], row, TextTag + std::uint32_t(texts_.size())});
    texts_.push_back(folded);
}

void RowKeys::addOwnText(QString text)
{
    // The characters stay where they are when the list of kept texts grows.
    ownTexts_.push_back(std::move(text));
    addText(ownTexts_.back());
}

void RowKeys::addDigits(const DigitKey& key)
{
    if (digitsAsText_ || key.leading >= powerOfTen(layout_.leadingDigits) ||
        key.trailing >= powerOfTen(layout_.trailingDigits)) {
        addOwnText(DigitKeyText(key, layout_));
        return;
    }
    entries_.push_back({key.leading, key.trailing, std::uint32_t(entries_.size()), key.negative ? Negative : Positive});
}

int RowKeys::compareWithDigits(const Text& text, const Entry& digits) const
{
    // Only layouts of at most nineteen digits a side and a one-unit separator get here.
    char16_t buffer[1 + 20 + 1 + 20];
    const DigitKey key{digits.tag == Negative, digits.high, digits.low};
    const QStringView written(buffer, writeDigitKey(buffer, key, layout_));
    return compareUnits(text.text, text.lowerWhileComparing, written, false, 0);
}

int RowKeys::compare(const Entry& a, const Entry& b) const
{
    // The empty text first, then digit keys with a minus sign, then those with a digit: so their texts begin.
    if (a.tag < TextTag && b.tag < TextTag) {
        if (a.tag != b.tag)
            return a.tag < b.tag ? -1 : 1;
        if (a.high != b.high)
            return a.high < b.high ? -1 : 1;
        return a.low == b.low ? 0 : (a.low < b.low ? -1 : 1);
    }
    if (a.tag >= TextTag && b.tag >= TextTag) {
        if (a.high != b.high)
            return a.high < b.high ? -1 : 1;
        if (a.low != b.low)
            return a.low < b.low ? -1 : 1;
        const Text& x = texts_[a.tag - TextTag];
        const Text& y = texts_[b.tag - TextTag];
        const qsizetype equalUpTo = std::min({x.text.size(), y.text.size(), qsizetype(PrefixUnits)});
        return compareUnits(x.text, x.lowerWhileComparing, y.text, y.lowerWhileComparing, equalUpTo);
    }
    if (a.tag == Empty)
        return -1;
    if (b.tag == Empty)
        return 1;
    return a.tag >= TextTag ? compareWithDigits(texts_[a.tag - TextTag], b)
                            : -compareWithDigits(texts_[b.tag - TextTag], a);
}

std::vector<std::size_t> RowKeys::sortedOrder(bool descending) &&
{
    // Every row is distinct, so the row decides between equal keys and the order is total.
    const auto before = [this, descending](const Entry& a, const Entry& b) {
        const int c = compare(a, b);
        if (c != 0)
            return descending ? c > 0 : c < 0;
        return a.row < b.row;
    };
    std::sort(entries_.begin(), entries_.end(), before);
    std::vector<std::size_t> order;
    order.reserve(entries_.size());
    for (const Entry& e : entries_)
        order.push_back(e.row);
    return order;
}

} // namespace tarvelo
