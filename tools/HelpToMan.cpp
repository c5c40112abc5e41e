// Writes the man page of the program from its own --help text, so that the
// two never tell different things: tarvelo_help_to_man PROGRAM OUTPUT VERSION DATE
// MACHINEFOLDER.
//
// The help text is read as it is laid out: "Gebruik:" lines give the synopsis;
// a paragraph that ends in ":" before indented lines opens a section (its
// words in brackets become the section's first paragraph); an indented line
// "  TERM   text" is an entry, deeper lines continue the entry's text; other
// lines are paragraphs.
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

// Text as troff prints it: backslashes and option dashes escaped, no line
// starting with a control character.
QString roff(QString text)
{
    text.replace(u"\\"_s, u"\\e"_s);
    static const QRegularExpression dash(u"(^|[\\s\\[(|,])-"_s);
    text.replace(dash, u"\\1\\-"_s);
    text.replace(u"\\--"_s, u"\\-\\-"_s);
    if (text.startsWith(u'.') || text.startsWith(u'\''))
        text.prepend(u"\\&"_s);
    return text;
}

int indentOf(const QString& line)
{
    int n = 0;
    while (n < line.size() && line[n] == u' ')
        ++n;
    return n;
}

struct Entry {
    QString term;
    QStringList text;
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 6) {
        std::fputs("gebruik: tarvelo_help_to_man PROGRAMMA UITVOER VERSIE DATUM MACHINEMAP\n", stderr);
        return 2;
    }
    const QString program = args[1];
    const QString name = QFileInfo(program).fileName();

    // The default data folder as every user reads it, not as the builder's.
    QProcess help;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"HOME"_s, u"~"_s);
    env.remove(u"XDG_DATA_HOME"_s);
    env.remove(u"XDG_CONFIG_HOME"_s);
    help.setProcessEnvironment(env);
    help.start(program, {u"--help"_s});
    if (!help.waitForFinished(60000) || help.exitStatus() != QProcess::NormalExit || help.exitCode() != 0) {
        std::fprintf(stderr, "%s --help is mislukt\n", qPrintable(program));
        return 1;
    }
    const QStringList lines = QString::fromUtf8(help.readAllStandardOutput()).split(u'\n');

    QString out;
    out += u".TH %1 1 \"%2\" \"%3\" \"Quenmarix\"\n"_s.arg(name.toUpper(), args[4], args[3]);
    // groff hyphenates by English patterns, which split Dutch words wrongly ("wachtwo-orden").
    out += u".nh\n"_s;
    out += u".SH NAAM\n%1 \\- instellingen van Quenmarix, in een venster of op de opdrachtregel\n"_s.arg(roff(name));

    qsizetype i = 0;
    // The synopsis: "Gebruik: prog ..." and the lines below it naming the program again.
    out += u".SH OVERZICHT\n"_s;
    bool synopsis = false;
    for (; i < lines.size(); ++i) {
        QString line = lines[i].trimmed();
        if (line.startsWith(u"Gebruik:"_s))
            line = line.mid(8).trimmed();
        else if (!synopsis || !line.startsWith(name))
            break;
        if (synopsis)
            out += u".br\n"_s;
        synopsis = true;
        out += u".B %1\n%2\n"_s.arg(roff(name), roff(line.mid(name.size()).trimmed()));
    }
    out += u".SH BESCHRIJVING\n"_s;

    QStringList paragraph;
    std::vector<Entry> entries;
    const auto flushParagraph = [&] {
        if (!paragraph.isEmpty())
            out += u".PP\n%1\n"_s.arg(roff(paragraph.join(u' ')));
        paragraph.clear();
    };
    const auto flushEntries = [&] {
        for (const Entry& e : entries)
            out += u".TP\n.B %1\n%2\n"_s.arg(roff(e.term), roff(e.text.join(u' ')));
        entries.clear();
    };
    static const QRegularExpression entryLine(u"^  (\\S.*?)(?:\\s{2,}(\\S.*))?$"_s);
    for (; i < lines.size(); ++i) {
        const QString& line = lines[i];
        const int indent = indentOf(line);
        if (line.trimmed().isEmpty()) {
            flushParagraph();
            flushEntries();
        } else if (indent == 0) {
            flushEntries();
            paragraph << line.trimmed();
            // A paragraph ending in ":" above entries names their section.
            const bool entriesFollow = i + 1 < lines.size() && indentOf(lines[i + 1]) == 2;
            if (line.trimmed().endsWith(u':') && entriesFollow) {
                QString heading = paragraph.join(u' ');
                heading.chop(1);
                paragraph.clear();
                QString intro;
                if (const qsizetype open = heading.indexOf(u" ("_s); open > 0 && heading.endsWith(u')')) {
                    intro = heading.mid(open + 2, heading.size() - open - 3);
                    heading = heading.left(open);
                }
                out += u".SH %1\n"_s.arg(roff(heading.toUpper()));
                if (!intro.isEmpty())
                    out += u"%1\n"_s.arg(roff(intro.left(1).toUpper() + intro.mid(1) + u'.'));
            }
        } else if (indent == 2) {
            flushParagraph();
            const QRegularExpressionMatch m = entryLine.match(line);
            entries.push_back({m.captured(1), m.captured(2).isEmpty() ? QStringList() : QStringList{m.captured(2)}});
        } else if (!entries.empty()) {
            entries.back().text << line.trimmed();
        } else {
            paragraph << line.trimmed();
        }
    }
    flushParagraph();
    flushEntries();

    out +=
        u".SH BESTANDEN\n"_s
        u".TP\n.I ~/.local/share/tarvelo\nde gegevensmap van het kantoor: de kantoordatabase, de dossiers en de\nHDN-berichten\n"_s
        u".TP\n.I ~/.config/tarvelo/HKEY_CURRENT_USER.hive\nde registerwaarden van de gebruiker\n"_s
        u".TP\n.I %1/HKEY_LOCAL_MACHINE.hive\nde registerwaarden van de computer, met de instellingen die de beheerder\nheeft vastgezet; alleen de beheerder kan ze wijzigen\n"_s
            .arg(roff(args[5]));

    QFile file(args[2]);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(out.toUtf8()) < 0 || !file.flush()) {
        std::fprintf(stderr, "%s kan niet worden geschreven\n", qPrintable(args[2]));
        return 1;
    }
    return 0;
}
