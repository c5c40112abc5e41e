#include "pages/companies/AgentNumberFile.h"

#include <QFileInfo>
#include <QHashFunctions>
#include <QSet>
#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {

using Take = std::function<void(const AgentNumberEntry&)>;

constexpr qint64 ChunkBytes = 64 * 1024;

// An imported number: null when empty, a finite double with a point or a comma, or nothing when it is neither.
std::optional<QVariant> importNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return QVariant();
    bool ok = false;
    const double n = QString(trimmed).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    if (!ok || !std::isfinite(n))
        return std::nullopt;
    return QVariant(n);
}

// A company kind: a number that fits the 32-bit column (a fraction is dropped, as always).
std::optional<QVariant> importKind(const QString& text)
{
    const std::optional<QVariant> n = importNumber(text);
    if (!n || n->isNull())
        return n;
    const double value = std::trunc(n->toDouble());
    if (value < double(INT_MIN) || value > double(INT_MAX))
        return std::nullopt;
    return QVariant(int(value));
}

bool hasControlCharacter(QStringView text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.category() == QChar::Other_Control; });
}

// One form of the file, fed its text in pieces.
class FormReader {
public:
    explicit FormReader(const Take* take) : take_(take) {}
    virtual ~FormReader() = default;
    // false when the text so far is damaged.
    virtual bool feed(const QString& text) = 0;
    // At the end of the file: false when it ends damaged.
    virtual bool finish() = 0;

    int line = 0; // plain text: the line being read
    QString date;
    qint64 entries = 0;

protected:
    // False when the entry repeats the key of an earlier one: the office keeps
    // each key once, so such a file cannot be stored as it stands.
    bool deliver(const AgentNumberEntry& entry)
    {
        ++entries;
        if (!entry.GUID.isNull() && !entry.GUID.toString().isEmpty()) {
            // Hashes only, so memory stays small beside the file.
            const size_t key = qHash(entry.GUID.toString());
            if (keys_.contains(key))
                return false;
            keys_.insert(key);
        }
        if (take_)
            (*take_)(entry);
        return true;
    }

private:
    const Take* take_;
    QSet<size_t> keys_;
};

// The older plain text: lines separated by CR LF.
class TextForm final : public FormReader {
public:
    using FormReader::FormReader;

    bool feed(const QString& text) override
    {
        pending_.append(text);
        qsizetype start = 0;
        for (qsizetype end; (end = pending_.indexOf(QLatin1String("\r\n"), start)) >= 0; start = end + 2) {
            if (!takeLine(QStringView(pending_).mid(start, end - start)))
                return false;
        }
        pending_.remove(0, start);
        // (A line of the longest length may wait here with the CR of its end.)
        if (pending_.size() > AgentNumberFile::MaxRun + (pending_.endsWith(QLatin1Char('\r')) ? 1 : 0)) {
            ++line; // the over-long one
            return false;
        }
        return true;
    }

    bool finish() override { return takeLine(pending_); }

private:
    bool takeLine(QStringView text)
    {
        ++line;
        if (line == 1 && text.startsWith(QLatin1String("Date="))) {
            if (hasControlCharacter(text))
                return false;
            date = text.mid(5).trimmed().toString();
            return true;
        }
        if (text.trimmed().isEmpty() || text.startsWith(QLatin1String("//")))
            return true;
        if (hasControlCharacter(text))
            return false;
        const QList<QStringView> fields = text.split(QLatin1Char(';'));
        if (fields.size() < 3 || fields[0].trimmed().isEmpty() || fields[1].trimmed().isEmpty())
            return false;
        const std::optional<QVariant> rente = importNumber(fields[2].toString());
        if (!rente)
            return false;
        AgentNumberEntry entry;
        entry.Agent_Id = fields[0].toString();
        entry.Cd_Mij = fields[1].toString();
        entry.Rente = *rente;
        return deliver(entry);
    }

    QString pending_;
};

// The XML document, read as the text comes in by a small strict reader of
// its own: well-formed XML 1.0 elements, attributes, text, character and the
// five predefined entity references, CDATA sections, comments and processing
// instructions (skipped, also a repeated declaration); no document type
// declaration. Line ends in text become LF and whitespace in attribute values
// a space, as XML prescribes.
class XmlForm final : public FormReader {
public:
    using FormReader::FormReader;

    bool feed(const QString& text) override
    {
        buf_.remove(0, pos_);
        pos_ = 0;
        buf_.append(text);
        return parse(false);
    }

    bool finish() override { return parse(true) && pos_ == buf_.size() && rootClosed_; }

private:
    enum class Step { Done, More, Bad };
    enum Field { AgentId, CdMij, Rente, Soort, Omschrijving, Standaard, None };
    static constexpr int MaxDepth = 8;

    bool parse(bool atEnd)
    {
        while (pos_ < buf_.size()) {
            const Step step = buf_.at(pos_) == QLatin1Char('<') ? markup() : text(atEnd);
            if (step == Step::Bad)
                return false;
            if (step == Step::More) // one run of markup or text may not grow past the bound
                return !atEnd && buf_.size() - pos_ <= AgentNumberFile::MaxRun;
        }
        return true;
    }

    static bool isSpace(QChar c)
    {
        return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n');
    }
    static bool isNameChar(QChar c, bool first)
    {
        const char16_t u = c.unicode();
        if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u == '_' || u == ':' || u >= 0x80)
            return u != 0xFFFE && u != 0xFFFF;
        return !first && ((u >= '0' && u <= '9') || u == '-' || u == '.');
    }

    // The name at i; i moves past it. Empty when there is none.
    QStringView name(qsizetype& i) const
    {
        const qsizetype start = i;
        while (i < buf_.size() && isNameChar(buf_.at(i), i == start))
            ++i;
        return QStringView(buf_).sliced(start, i - start);
    }

    // Appends run with its references resolved (a CDATA section has none, and
    // may hold "<"); false when it holds what XML forbids there.
    enum class Run { Text, Attribute, CData };
    // With out null the run is only checked.
    static bool decode(QStringView run, QString* out, Run kind)
    {
        const bool attribute = kind == Run::Attribute;
        qsizetype plain = 0;
        const auto flush = [&](qsizetype upTo) {
            if (out)
                out->append(run.sliced(plain, upTo - plain));
        };
        for (qsizetype i = 0; i < run.size(); ++i) {
            const char16_t c = run[i].unicode();
            if (c >= 0x20 && ((c != '&' && c != '<') || kind == Run::CData) && c < 0xFFFE)
                continue;
            flush(i);
            if (c == '&') {
                const qsizetype end = run.indexOf(QLatin1Char(';'), i);
                if (end < 0 || end - i > 12)
                    return false;
                const std::optional<char32_t> ch = reference(run.sliced(i + 1, end - i - 1));
                if (!ch)
                    return false;
                if (out)
                    out->append(QStringView(QChar::fromUcs4(*ch)));
                i = end;
            } else if (c == '\r' || c == '\n' || c == '\t') {
                if (c == '\r' && i + 1 < run.size() && run[i + 1] == QLatin1Char('\n'))
                    ++i;
                if (out)
                    out->append(attribute ? QLatin1Char(' ') : c == '\t' ? QLatin1Char('\t') : QLatin1Char('\n'));
            } else {
                return false; // a control character, "<" in a value, U+FFFE or U+FFFF
            }
            plain = i + 1;
        }
        flush(run.size());
        return true;
    }

    static std::optional<char32_t> reference(QStringView name)
    {
        static const std::pair<const char*, char32_t> named[] = {
            {"lt", U'<'}, {"gt", U'>'}, {"amp", U'&'}, {"apos", U'\''}, {"quot", U'"'}};
        for (const auto& [text, ch] : named) {
            if (name == QLatin1String(text))
                return ch;
        }
        if (!name.startsWith(QLatin1Char('#')) || name.size() < 2)
            return std::nullopt;
        const bool hex = name[1] == QLatin1Char('x');
        const QStringView digits = name.sliced(hex ? 2 : 1);
        if (digits.isEmpty() || !std::all_of(digits.begin(), digits.end(), [hex](QChar d) {
                return d.isDigit() || (hex && u"abcdefABCDEF"_s.contains(d));
            }))
            return std::nullopt;
        bool ok = false;
        const uint value = digits.toUInt(&ok, hex ? 16 : 10);
        const bool allowed = ok && (value == 0x9 || value == 0xA || value == 0xD || (value >= 0x20 && value < 0xD800) ||
                                    (value >= 0xE000 && value < 0xFFFE) || (value >= 0x10000 && value <= 0x10FFFF));
        if (!allowed)
            return std::nullopt;
        return char32_t(value);
    }

    Step text(bool atEnd)
    {
        qsizetype end = buf_.indexOf(QLatin1Char('<'), pos_);
        if (end < 0) {
            if (!atEnd)
                return Step::More;
            end = buf_.size();
        }
        const QStringView run = QStringView(buf_).sliced(pos_, end - pos_);
        if (depth_ == 0) {
            if (!std::all_of(run.begin(), run.end(), isSpace))
                return Step::Bad;
        } else if (depth_ == 3 && field_ != None) {
            if (!decode(run, &text_, Run::Text) || text_.size() > AgentNumberFile::MaxRun)
                return Step::Bad;
        } else {
            if (!decode(run, nullptr, Run::Text))
                return Step::Bad;
        }
        pos_ = end;
        return Step::Done;
    }

    Step markup()
    {
        const QStringView rest = QStringView(buf_).sliced(pos_);
        static const QLatin1String comment("<!--"), cdata("<![CDATA[");
        if (rest.size() < 2)
            return Step::More;
        if (rest[1] == QLatin1Char('?'))
            return skipTo(QLatin1String("?>"), 2);
        if (rest[1] == QLatin1Char('/'))
            return endTag();
        if (rest[1] != QLatin1Char('!'))
            return startTag();
        if (rest.startsWith(comment))
            return skipTo(QLatin1String("--"), 4, QLatin1String("-->"));
        if (rest.startsWith(cdata)) {
            const qsizetype end = buf_.indexOf(QLatin1String("]]>"), pos_ + cdata.size());
            if (end < 0)
                return Step::More;
            if (depth_ == 0)
                return Step::Bad;
            QString* into = depth_ == 3 && field_ != None ? &text_ : nullptr;
            const QStringView content = QStringView(buf_).sliced(pos_ + cdata.size(), end - pos_ - cdata.size());
            if (!decode(content, into, Run::CData) || (into && into->size() > AgentNumberFile::MaxRun))
                return Step::Bad;
            pos_ = end + 3;
            return Step::Done;
        }
        // Not yet known, or a document type declaration or other markup an export never has.
        return rest.size() < cdata.size() && (cdata.startsWith(rest) || comment.startsWith(rest)) ? Step::More
                                                                                                  : Step::Bad;
    }

    // Skips past the end marker of a comment or processing instruction.
    Step skipTo(QLatin1String marker, qsizetype from, QLatin1String end = QLatin1String())
    {
        const qsizetype at = buf_.indexOf(marker, pos_ + from);
        if (at < 0)
            return Step::More;
        if (!end.isEmpty()) { // "--" only ends a comment
            if (at + end.size() > buf_.size())
                return Step::More;
            if (!QStringView(buf_).sliced(at).startsWith(end))
                return Step::Bad;
        }
        pos_ = at + (end.isEmpty() ? marker.size() : end.size());
        return Step::Done;
    }

    Step startTag()
    {
        qsizetype i = pos_ + 1;
        const QStringView element = name(i);
        if (i >= buf_.size())
            return Step::More;
        if (element.isEmpty())
            return Step::Bad;
        attributes_.clear();
        bool selfClosing = false;
        for (;;) {
            const qsizetype spaceStart = i;
            while (i < buf_.size() && isSpace(buf_.at(i)))
                ++i;
            if (i >= buf_.size())
                return Step::More;
            if (buf_.at(i) == QLatin1Char('>')) {
                ++i;
                break;
            }
            if (buf_.at(i) == QLatin1Char('/')) {
                if (i + 1 >= buf_.size())
                    return Step::More;
                if (buf_.at(i + 1) != QLatin1Char('>'))
                    return Step::Bad;
                i += 2;
                selfClosing = true;
                break;
            }
            if (i == spaceStart)
                return Step::Bad; // attributes stand apart
            const QStringView attribute = name(i);
            if (i >= buf_.size())
                return Step::More;
            if (attribute.isEmpty())
                return Step::Bad;
            while (i < buf_.size() && isSpace(buf_.at(i)))
                ++i;
            if (i >= buf_.size())
                return Step::More;
            if (buf_.at(i) != QLatin1Char('='))
                return Step::Bad;
            ++i;
            while (i < buf_.size() && isSpace(buf_.at(i)))
                ++i;
            if (i >= buf_.size())
                return Step::More;
            const QChar quote = buf_.at(i);
            if (quote != QLatin1Char('"') && quote != QLatin1Char('\''))
                return Step::Bad;
            const qsizetype close = buf_.indexOf(quote, i + 1);
            if (close < 0)
                return Step::More;
            for (const auto& [other, value] : attributes_) {
                if (other == attribute)
                    return Step::Bad; // twice in one tag
            }
            QString value;
            if (!decode(QStringView(buf_).sliced(i + 1, close - i - 1), &value, Run::Attribute))
                return Step::Bad;
            attributes_.emplace_back(attribute, std::move(value));
            i = close + 1;
        }
        if (depth_ == 0 && rootSeen_)
            return Step::Bad; // one root only
        if (!startElement(element))
            return Step::Bad;
        pos_ = i;
        return selfClosing && !endElement() ? Step::Bad : Step::Done;
    }

    Step endTag()
    {
        qsizetype i = pos_ + 2;
        const QStringView element = name(i);
        while (i < buf_.size() && isSpace(buf_.at(i)))
            ++i;
        if (i >= buf_.size())
            return Step::More;
        if (buf_.at(i) != QLatin1Char('>') || depth_ == 0 || element != open_[depth_ - 1])
            return Step::Bad;
        pos_ = i + 1;
        return endElement() ? Step::Done : Step::Bad;
    }

    QString attribute(const char* wanted) const
    {
        for (const auto& [name, value] : attributes_) {
            if (name == QLatin1String(wanted))
                return value;
        }
        return QString();
    }
    bool hasAttribute(const char* wanted) const
    {
        return std::any_of(attributes_.begin(), attributes_.end(),
                           [wanted](const auto& a) { return a.first == QLatin1String(wanted); });
    }

    static Field fieldOf(QStringView name)
    {
        static const char* const names[] = {"agentnummer",           "maatschappijcode", "renteopslagpercentage",
                                            "soortmaatschappijcode", "omschrijving",     "standaard"};
        for (int i = 0; i < None; ++i) {
            if (name == QLatin1String(names[i]))
                return Field(i);
        }
        return None;
    }

    bool startElement(QStringView element)
    {
        if (depth_ == MaxDepth)
            return false;
        open_[depth_].truncate(0); // keeps its room: no allocation per element
        open_[depth_].append(element);
        ++depth_;
        if (depth_ == 1) {
            rootSeen_ = true;
            if (element != QLatin1String("quenmarixagentnummers"))
                return false; // a document, but not an export of agent numbers
            date = attribute("aanmaakdatum");
        } else if (depth_ == 2 && element == QLatin1String("agentnummerdata")) {
            inEntry_ = true;
            entry_ = AgentNumberEntry();
            values_.fill(QVariant());
            if (hasAttribute("guid"))
                entry_.GUID = attribute("guid");
        } else if (depth_ == 3 && inEntry_) {
            field_ = fieldOf(element);
            // The first element of a name counts.
            if (field_ != None && !values_[field_].isNull())
                field_ = None;
            text_.truncate(0);
        }
        return true;
    }

    bool endElement()
    {
        if (depth_ == 3 && field_ != None) {
            // Text that is only whitespace is no text.
            values_[field_] = std::all_of(text_.cbegin(), text_.cend(), [](QChar c) { return c.isSpace(); })
                                  ? QString(QLatin1String(""))
                                  : text_;
            field_ = None;
        } else if (depth_ == 2 && inEntry_) {
            inEntry_ = false;
            if (!endEntry())
                return false;
        } else if (depth_ == 1) {
            rootClosed_ = true;
        }
        --depth_;
        return true;
    }

    bool endEntry()
    {
        const std::optional<QVariant> rente = importNumber(values_[Rente].toString());
        const std::optional<QVariant> soort = importKind(values_[Soort].toString());
        if (!rente || !soort)
            return false;
        entry_.Agent_Id = values_[AgentId];
        entry_.Cd_Mij = values_[CdMij];
        entry_.Rente = *rente;
        entry_.Cd_SoortMij = *soort;
        entry_.Om_Omschrijving = values_[Omschrijving];
        entry_.In_Default = values_[Standaard].toInt() != 0;
        return deliver(entry_);
    }

    QString buf_; // what is not read yet starts at pos_
    qsizetype pos_ = 0;
    int depth_ = 0;
    std::array<QString, MaxDepth> open_;
    std::vector<std::pair<QStringView, QString>> attributes_;
    bool rootSeen_ = false, rootClosed_ = false, inEntry_ = false;
    Field field_ = None;
    QString text_;
    AgentNumberEntry entry_;
    std::array<QVariant, None> values_;
};

} // namespace

AgentNumberFile::AgentNumberFile(const QString& path) : path_(path) {}

AgentNumberFile::~AgentNumberFile() = default;

bool AgentNumberFile::open()
{
    file_.setFileName(path_);
    return QFileInfo(path_).isFile() && file_.open(QIODevice::ReadOnly);
}

// What the open handle's file looks like now; a write within the same clock
// tick may leave it alike, which the passes' content hashes then tell.
AgentNumberFile::Stamp AgentNumberFile::stamp() const
{
    struct stat info {};
    if (fstat(file_.handle(), &info) != 0)
        return {};
    const auto ns = [](const timespec& t) { return qint64(t.tv_sec) * 1000000000 + t.tv_nsec; };
    return {qint64(info.st_size), ns(info.st_mtim)};
}

AgentNumberFile::Status AgentNumberFile::check()
{
    checkedOk_ = false;
    checked_ = stamp();
    const QByteArray start = file_.peek(4);
    if (const std::optional<QStringConverter::Encoding> known = QStringConverter::encodingForData(start, u'<')) {
        encoding_ = QStringConverter::nameForEncoding(*known);
        guessed_ = false;
    }
    Pass first = pass(nullptr);
    if (first.outcome == Pass::Outcome::Undecodable && guessed_) {
        encoding_ = "windows-1252";
        first = pass(nullptr);
    }
    damagedLine_ = first.outcome == Pass::Outcome::Damaged ? first.line : 0;
    date_ = first.date;
    entries_ = first.entries;
    contentHash_ = first.contentHash;
    checkedOk_ = first.outcome == Pass::Outcome::Ok;
    return checkedOk_ ? Status::Ok : Status::Damaged;
}

AgentNumberFile::Status AgentNumberFile::read(const std::function<void(const AgentNumberEntry&)>& take)
{
    if (!checkedOk_ || stamp() != checked_)
        return Status::Changed;
    const Pass second = pass(&take);
    const bool same = second.outcome == Pass::Outcome::Ok && second.entries == entries_ && second.date == date_ &&
                      second.contentHash == contentHash_ && stamp() == checked_;
    return same ? Status::Ok : Status::Changed;
}

AgentNumberFile::Pass AgentNumberFile::pass(const Take* take)
{
    Pass result;
    if (!file_.seek(0)) {
        result.outcome = Pass::Outcome::Damaged;
        return result;
    }
    QStringDecoder decode(encoding_.constData());
    std::unique_ptr<FormReader> form;
    QString leading; // text before the form is known: whitespace only
    QString highHalf;
    const auto end = [&](Pass::Outcome outcome) {
        result.outcome = outcome;
        if (form) {
            result.line = form->line;
            result.date = form->date;
            result.entries = form->entries;
        }
        return result;
    };
    // The first character that is not whitespace decides the form: "<" is XML
    // (and only XML), anything else the plain text.
    const auto decide = [&](bool atEnd) -> bool {
        const auto first = std::find_if(leading.cbegin(), leading.cend(), [](QChar c) { return !c.isSpace(); });
        if (first == leading.cend() && !atEnd && leading.size() <= MaxRun)
            return true;
        const bool xml = first != leading.cend() && *first == QLatin1Char('<');
        if (xml)
            form = std::make_unique<XmlForm>(take);
        else
            form = std::make_unique<TextForm>(take);
        // XML may not start with whitespace; the plain text keeps its lines.
        const bool fed = form->feed(xml ? leading.sliced(first - leading.cbegin()) : leading);
        leading.clear();
        return fed;
    };
    while (!file_.atEnd()) {
        const QByteArray bytes = file_.read(ChunkBytes);
        if (bytes.isEmpty())
            return end(Pass::Outcome::Damaged); // a read error
        result.contentHash = qHash(bytes, result.contentHash);
        QString text = decode(bytes);
        if (decode.hasError())
            return end(Pass::Outcome::Undecodable);
        // A character in two halves is kept whole for the next piece; half of one is damage.
        text.prepend(highHalf);
        highHalf.clear();
        if (!text.isEmpty() && text.back().isHighSurrogate()) {
            highHalf = text.back();
            text.chop(1);
        }
        if (!text.isValidUtf16())
            return end(Pass::Outcome::Damaged);
        if (!form) {
            leading += text;
            if (!decide(false))
                return end(Pass::Outcome::Damaged);
            continue;
        }
        if (!form->feed(text))
            return end(Pass::Outcome::Damaged);
    }
    // Half a character at the very end: a cut-off file.
    if (!highHalf.isEmpty() || (encoding_.startsWith("UTF-16") && file_.size() % 2 != 0))
        return end(Pass::Outcome::Damaged);
    if (!form && !decide(true))
        return end(Pass::Outcome::Damaged);
    return end(form->finish() ? Pass::Outcome::Ok : Pass::Outcome::Damaged);
}

} // namespace tarvelo
