#pragma once

#include "TarveloExport.h"

#include <QString>
#include <QStringView>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarvelo {

// The text as a list compares it when it sorts: case and accents ignored, so
// "Émile" sorts with "emile" and "Zeeland" after "zaandam"; the folded texts
// are then compared code unit by code unit.
TARVELO_EXPORT QString FoldedSortText(const QString& text);

// The layout of keys that are written as digits: an optional minus sign, a
// fixed number of leading digits, a separator and a fixed number of trailing
// digits ("-000000000000001,5000000000", "20230615 143000").
struct TARVELO_EXPORT DigitKeyLayout {
    int leadingDigits = 0;
    QString separator;
    int trailingDigits = 0;
};

// A key in a DigitKeyLayout, held as its two runs of digits.
struct TARVELO_EXPORT DigitKey {
    bool negative = false;
    std::uint64_t leading = 0;
    std::uint64_t trailing = 0;
};

// The text of a digit key, zero-padded to its layout.
TARVELO_EXPORT QString DigitKeyText(const DigitKey& key, const DigitKeyLayout& layout);

// The sort keys of a list's rows, one per row in row order. A digit key is
// compared as two numbers and a text by a prefix of its folded code units, so a
// large list sorts at the cost of integer comparisons; the order is exactly
// that of comparing every key's text, digit keys written out in their layout,
// folded as FoldedSortText does.
class TARVELO_EXPORT RowKeys {
public:
    explicit RowKeys(DigitKeyLayout layout = {});

    void reserve(std::size_t rows);
    std::size_t size() const { return entries_.size(); }

    // A text key is read where it is: it must stay as it is until the keys are sorted.
    void addText(QStringView text);
    // A text key made for the sort, kept here.
    void addOwnText(QString text);
    void addDigits(const DigitKey& key);

    // The rows' old positions (0-based) in their sorted order, descending when
    // asked; rows with equal keys keep their old order either way.
    std::vector<std::size_t> sortedOrder(bool descending) &&;

private:
    struct Entry {
        std::uint64_t high; // digit key: leading digits; text: folded code units 0 to 3
        std::uint64_t low;  // digit key: trailing digits; text: folded code units 4 to 7
        std::uint32_t row;
        std::uint32_t tag; // Empty, Negative, Positive, or TextTag + the text's index
    };
    struct Text {
        QStringView text; // folded, or plain ASCII that is folded while comparing
        bool lowerWhileComparing;
    };
    static constexpr std::uint32_t Empty = 0, Negative = 1, Positive = 2, TextTag = 3;

    int compare(const Entry& a, const Entry& b) const;
    int compareWithDigits(const Text& text, const Entry& digits) const;

    DigitKeyLayout layout_;
    bool digitsAsText_ = false; // a separator that folding changes: digit keys are kept as texts
    std::vector<Entry> entries_;
    std::vector<Text> texts_;
    std::vector<QString> ownTexts_; // folded or made texts that texts_ views
};

} // namespace tarvelo
