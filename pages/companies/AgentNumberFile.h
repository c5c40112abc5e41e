#pragma once

#include <QFile>
#include <QString>
#include <QVariant>
#include <functional>

namespace tarvelo {

// One agent number as the exchange file gives it, ready to be stored in
// tp_info; a value the file does not give is null. Rente is a double and
// Cd_SoortMij an int when present.
struct AgentNumberEntry {
    QVariant Agent_Id, Cd_Mij, Rente, Cd_SoortMij, Om_Omschrijving, GUID;
    bool In_Default = false;
};

// The agent-number exchange file "AgentNrs.txt", read as a stream in two
// passes over one open handle, so that memory does not grow with the file:
// check() reads it all and refuses anything damaged before anything is asked,
// read() then hands over the entries one by one for storing.
//
// The file is the XML document (root quenmarixagentnummers) or the older plain
// text ("Date=" first line, "Agent_Id;Cd_Mij;Rente" lines separated by CR LF,
// "//" lines skipped). Its encoding follows its byte-order mark (UTF-16 as
// exported, UTF-8); without one it is UTF-8 when it decodes as such and
// Windows-1252 otherwise. A line, text or markup run longer than MaxRun
// characters, a control character in a plain-text line, a number that is not
// a finite number, a truncated or foreign document and a document type
// declaration make the file damaged.
class AgentNumberFile {
public:
    enum class Status { Ok, Damaged, Changed };
    static constexpr qsizetype MaxRun = 64 * 1024;

    explicit AgentNumberFile(const QString& path);
    ~AgentNumberFile();
    AgentNumberFile(const AgentNumberFile&) = delete;
    AgentNumberFile& operator=(const AgentNumberFile&) = delete;

    // Opens the file for both passes; false when it is not there or cannot be read.
    bool open();
    // The first pass: Ok or Damaged; reads every entry and keeps none.
    Status check();
    // After check: the plain-text line where the damage is, 0 when it has none.
    int damagedLine() const { return damagedLine_; }
    // The creation date the file states ("Date=" or aanmaakdatum), empty when none.
    const QString& date() const { return date_; }
    qint64 entryCount() const { return entries_; }
    // The second pass, after an Ok check: gives every entry to take in file
    // order. Changed when the file is no longer what check read (written to
    // since, or its bytes now differ): the caller undoes what take stored.
    // An exception from take ends the pass and passes on.
    Status read(const std::function<void(const AgentNumberEntry&)>& take);

private:
    struct Stamp {
        qint64 size = -1, modifiedNs = -1;
        bool operator==(const Stamp&) const = default;
    };
    struct Pass {
        enum class Outcome { Ok, Damaged, Undecodable } outcome = Outcome::Ok;
        int line = 0;
        QString date;
        qint64 entries = 0;
        size_t contentHash = 0; // of the bytes read
    };

    Stamp stamp() const;
    Pass pass(const std::function<void(const AgentNumberEntry&)>* take);

    QString path_;
    QFile file_;
    Stamp checked_;
    bool checkedOk_ = false;
    // How the bytes decode: by the byte-order mark, else guessed (UTF-8, then Windows-1252).
    QByteArray encoding_ = "UTF-8";
    bool guessed_ = true;
    int damagedLine_ = 0;
    QString date_;
    qint64 entries_ = 0;
    size_t contentHash_ = 0;
};

} // namespace tarvelo
