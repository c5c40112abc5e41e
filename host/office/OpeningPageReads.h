#pragma once

#include "host/office/OfficeDatabase.h"

#include <QDir>
#include <QHash>
#include <QObject>
#include <QString>

namespace tarvelo {

// What the page the window opens on reads when it is filled: the window
// reopens on the page last used, and on the server the start reads what that
// page read the last time in its own round trip (the company overview's lists
// and its first company's agent numbers), so that the page finds its answers
// there. Whatever page it is: each page's first fill is recorded as it runs,
// and when the window closes the reads of the page it was left on are kept in
// a file beside the user's own hive for the next start. A read that no longer serves (the first
// company changed meanwhile) costs only its bytes in that round trip.
class OpeningPageReads {
public:
    // file: where the reads are kept between starts.
    OpeningPageReads(const OfficeDatabase& office, QString file);
    ~OpeningPageReads();
    OpeningPageReads(const OpeningPageReads&) = delete;
    OpeningPageReads& operator=(const OpeningPageReads&) = delete;

    // Where they are kept: beside the user's own hive, not in the data
    // folder, which may be shared or copied, while the statements read back
    // run with this user's rights. A file an earlier version left in the
    // data folder is removed. A host that keeps the user's hive in the data
    // folder keeps them there too.
    static QString fileBeside(const QString& userHiveFile, const QDir& dataFolder);
    // The reads kept at the last close, for the start to read ahead. Only
    // reads (SELECT statements) with plain values are taken from the file.
    static OfficeDatabase::Reads kept(const QString& file);

    // The window shows this page: a page not filled before in this run is
    // filled now, and what it reads until the event loop turns is its first
    // fill's. Empty: the window closes, and the reads of the page it showed
    // last are kept for the next start.
    void pageShown(const QString& className);

private:
    void stopRecording();
    void keep(const OfficeDatabase::Reads& reads) const;

    const OfficeDatabase& office_;
    const QString file_;
    QHash<QString, OfficeDatabase::Reads> firstFills_;
    QString recording_;
    QString shown_;
    QObject context_;
};

} // namespace tarvelo
