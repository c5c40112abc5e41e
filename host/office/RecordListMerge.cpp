#include "host/office/RecordListMerge.h"

#include "framework/host/Settings.h"

#include <QJsonDocument>

namespace tarvelo::RecordListMerge {

namespace {

// What became of one record of the list as read, in one side's version.
struct Fate {
    enum Kind { Kept, Changed, Removed } kind = Kept;
    QJsonValue record;
};

// One side's version lined up with the list as read: each record's fate, and
// the records the side added before place i (i = base size: at the end).
struct Alignment {
    std::vector<Fate> fates;
    std::vector<std::vector<QJsonValue>> added;
};

Alignment align(const QJsonArray& base, const QJsonArray& side)
{
    const qsizetype n = base.size();
    const qsizetype m = side.size();
    Alignment a;
    a.fates.assign(std::size_t(n), Fate{Fate::Removed, {}});
    a.added.assign(std::size_t(n + 1), {});
    // The longest run of records both versions hold unchanged, in order.
    std::vector<std::vector<int>> run(std::size_t(n + 1), std::vector<int>(std::size_t(m + 1), 0));
    for (qsizetype i = n - 1; i >= 0; --i)
        for (qsizetype j = m - 1; j >= 0; --j)
            run[i][j] = base.at(i) == side.at(j) ? run[i + 1][j + 1] + 1 : std::max(run[i + 1][j], run[i][j + 1]);
    qsizetype i = 0, j = 0, gapBase = 0, gapSide = 0;
    // Between two unchanged records, the records of the list as read were
    // changed in place, as far as the side has records there; the rest were
    // removed or added.
    const auto closeGap = [&](qsizetype toBase, qsizetype toSide) {
        qsizetype b = gapBase, s = gapSide;
        for (; b < toBase && s < toSide; ++b, ++s)
            a.fates[std::size_t(b)] = Fate{Fate::Changed, side.at(s)};
        for (; s < toSide; ++s)
            a.added[std::size_t(toBase)].push_back(side.at(s));
    };
    while (i < n && j < m) {
        if (base.at(i) == side.at(j)) {
            closeGap(i, j);
            a.fates[std::size_t(i)] = Fate{Fate::Kept, base.at(i)};
            gapBase = ++i;
            gapSide = ++j;
        } else if (run[i + 1][j] >= run[i][j + 1]) {
            ++i;
        } else {
            ++j;
        }
    }
    closeGap(n, m);
    return a;
}

} // namespace

QSet<QString> names(const Settings& settings)
{
    QSet<QString> lists;
    for (const QString& name : settings.names())
        if (!settings.setting(name).shown().many.isEmpty())
            lists.insert(name);
    return lists;
}

std::optional<QJsonArray> records(const QJsonValue& stored)
{
    const QString text = stored.toString().trimmed();
    if (text.isEmpty())
        return QJsonArray();
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isArray())
        return std::nullopt;
    return doc.array();
}

QJsonValue stored(const QJsonArray& records)
{
    return QString::fromUtf8(QJsonDocument(records).toJson(QJsonDocument::Compact));
}

Result merge(const QJsonArray& base, const QJsonArray& theirs, const QJsonArray& mine, const QMap<int, bool>& keepMine)
{
    const Alignment t = align(base, theirs);
    const Alignment m = align(base, mine);
    Result result;
    for (qsizetype i = 0; i <= base.size(); ++i) {
        const auto& theirsAdded = t.added[std::size_t(i)];
        for (const QJsonValue& record : theirsAdded)
            result.merged.append(record);
        // A record both added alike is added once.
        for (const QJsonValue& record : m.added[std::size_t(i)])
            if (std::find(theirsAdded.begin(), theirsAdded.end(), record) == theirsAdded.end())
                result.merged.append(record);
        if (i == base.size())
            break;
        const Fate& ft = t.fates[std::size_t(i)];
        const Fate& fm = m.fates[std::size_t(i)];
        std::optional<QJsonValue> kept;
        if (fm.kind == Fate::Kept)
            kept = ft.kind == Fate::Removed ? std::optional<QJsonValue>() : ft.record;
        else if (ft.kind == Fate::Kept || (ft.kind == fm.kind && ft.record == fm.record))
            kept = fm.kind == Fate::Removed ? std::optional<QJsonValue>() : fm.record;
        else if (ft.kind == Fate::Removed && fm.kind == Fate::Removed)
            kept = std::nullopt;
        else {
            const int place = int(i) + 1;
            result.conflicts.push_back({place, base.at(i), ft.record, fm.record});
            const Fate& chosen = keepMine.value(place, true) ? fm : ft;
            if (chosen.kind != Fate::Removed)
                result.merged.append(chosen.record);
            continue;
        }
        if (kept)
            result.merged.append(*kept);
    }
    return result;
}

} // namespace tarvelo::RecordListMerge
