#include "app/CommandLine.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

bool CommandLine::rendersWindow() const { return render.compare(QLatin1String("window"), Qt::CaseInsensitive) == 0; }

CommandLine CommandLine::parse(const QStringList& arguments)
{
    CommandLine line;
    AdminRequest request;
    auto valueOf = [&](qsizetype& i, QString& target) {
        const QString option = arguments[i];
        if (i + 1 >= arguments.size() || arguments[i + 1].startsWith(QLatin1String("--"))) {
            line.error = u"Bij %1 hoort een waarde."_s.arg(option);
            return;
        }
        target = arguments[++i];
        // An empty folder name would quietly mean the default office.
        if (target.trimmed().isEmpty())
            line.error = u"Bij %1 hoort een waarde; een lege waarde is niet toegestaan."_s.arg(option);
    };
    for (qsizetype i = 0; i < arguments.size() && line.error.isEmpty(); ++i) {
        QString arg = arguments[i];
        // "--data=MAP" is the same as "--data MAP".
        if (const qsizetype eq = arg.indexOf(QLatin1Char('=')); arg.startsWith(QLatin1String("--")) && eq > 0) {
            QStringList split = arguments;
            split[i] = arg.left(eq);
            split.insert(i + 1, arg.mid(eq + 1));
            CommandLine again = parse(split);
            return again;
        }
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h"))
            line.help = true;
        else if (arg == QLatin1String("--data"))
            valueOf(i, line.dataFolder);
        else if (arg == QLatin1String("--page"))
            valueOf(i, line.page);
        else if (arg == QLatin1String("--render"))
            valueOf(i, line.render);
        else if (arg == QLatin1String("--out"))
            valueOf(i, line.out);
        else if (arg == QLatin1String("--provider"))
            valueOf(i, line.provider);
        else if (arg == QLatin1String("--server"))
            valueOf(i, line.server);
        else if (arg == QLatin1String("--database"))
            valueOf(i, line.database);
        else if (arg == QLatin1String("--adviseur"))
            valueOf(i, line.adviser);
        else if (arg == QLatin1String("--office"))
            request.office = true;
        else if (arg == QLatin1String("--wachtwoorden"))
            request.withPasswords = true;
        else if (arg == QLatin1String("--namen"))
            request.codeNames = true;
        else if (arg == QLatin1String("--toon"))
            request.shownText = true;
        else if (arg == QLatin1String("--toch"))
            request.anyway = true;
        else if (arg == QLatin1String("--terugdraaien")) {
            QString text;
            valueOf(i, text);
            bool number = false;
            const int n = text.toInt(&number);
            if ((!number || n < 1) && line.error.isEmpty())
                line.error = u"--terugdraaien verwacht het nummer van een regel uit history, bijvoorbeeld 1."_s;
            request.revert = n;
        } else if (arg == QLatin1String("--since")) {
            QString text;
            valueOf(i, text);
            QDate since = QDate::fromString(text, Qt::ISODate);
            if (!since.isValid())
                since = QDate::fromString(text, u"d-M-yyyy"_s);
            if (!since.isValid() && line.error.isEmpty())
                line.error = u"--since verwacht een datum, bijvoorbeeld 2026-12-01."_s;
            request.since = since;
        } else if (!arg.startsWith(QLatin1String("--")) && line.admin)
            line.admin->arguments << arg;
        else if (!arg.startsWith(QLatin1String("--")) && AdminCommands::isCommand(arg)) {
            line.admin.emplace();
            line.admin->command = arg;
        } else
            line.error = u"Onbekende optie: %1"_s.arg(arg);
    }
    if (line.error.isEmpty() && !line.render.isEmpty() && line.out.isEmpty())
        line.error = u"Bij --render hoort --out MAP: de map waarin de afbeeldingen komen."_s;
    if (line.error.isEmpty() && line.render.isEmpty() && !line.out.isEmpty())
        line.error = u"--out hoort bij --render."_s;
    if (line.error.isEmpty() && !line.render.isEmpty() && !line.page.isEmpty() && !line.rendersWindow())
        line.error = u"Gebruik --page of --render, niet beide (behalve bij --render window)."_s;
    if (line.admin) {
        line.admin->office = request.office;
        line.admin->withPasswords = request.withPasswords;
        line.admin->since = request.since;
        line.admin->codeNames = request.codeNames;
        line.admin->shownText = request.shownText;
        line.admin->revert = request.revert;
        line.admin->anyway = request.anyway;
    } else if (line.error.isEmpty() && (request.office || request.withPasswords || request.since || request.codeNames ||
                                        request.shownText || request.revert || request.anyway)) {
        line.error = u"--office, --since, --wachtwoorden, --namen, --toon, --terugdraaien en --toch horen bij een "
                     "opdracht zoals get of set."_s;
    }
    if (line.error.isEmpty() && !line.adviser.isEmpty() && !line.admin)
        line.error = u"--adviseur hoort bij een opdracht zoals get of set."_s;
    if (line.error.isEmpty() && line.admin && (!line.render.isEmpty() || !line.page.isEmpty()))
        line.error = u"Een opdracht (%1) gaat niet samen met --render of --page."_s.arg(line.admin->command);
    line.provider = line.provider.toUpper();
    if (line.error.isEmpty() && !line.provider.isEmpty() && line.provider != QLatin1String("MSACC") &&
        line.provider != QLatin1String("MSSQL"))
        line.error = u"--provider is MSACC (databasebestand) of MSSQL (databaseserver)."_s;
    if (line.error.isEmpty() && line.provider == QLatin1String("MSSQL") &&
        (line.server.isEmpty() || line.database.isEmpty()))
        line.error = u"Bij --provider MSSQL horen --server HOST[:POORT] en --database NAAM."_s;
    if (line.error.isEmpty() && line.provider != QLatin1String("MSSQL") &&
        (!line.server.isEmpty() || !line.database.isEmpty()))
        line.error = u"--server en --database horen bij --provider MSSQL."_s;
    return line;
}

QString CommandLine::helpText(const QString& defaultDataFolder)
{
    return u"Gebruik: tarvelo-instellingen [opties]\n"
           "         tarvelo-instellingen OPDRACHT [argumenten] [--data MAP] [--office]\n"
           "\n"
           "Start het instellingenvenster van Quenmarix op het kantoor in de gegevensmap.\n"
           "Bij de eerste start wordt daar een demokantoor aangemaakt.\n"
           "\n"
           "Opdrachten voor de beheerder (zonder venster; dezelfde controles, vergrendelingen\n"
           "en wijzigingsgeschiedenis als het venster):\n"
           "  get NAAM [--toon]      toont de waarde van de instelling NAAM; met --toon zoals het\n"
           "                         scherm haar toont (\"Wekelijks\", \"Ja\", \"1.234,50\")\n"
           "  set NAAM WAARDE        geeft de instelling NAAM de waarde WAARDE, zoals het scherm\n"
           "                         haar toont (\"Wekelijks\", \"Ja\") of zoals zij is opgeslagen;\n"
           "                         een wachtwoord wordt niet als argument aangenomen: WAARDE -\n"
           "                         leest het van de invoer (op een terminal zonder dat het\n"
           "                         zichtbaar is, twee keer ter controle)\n"
           "  reset NAAM             zet de instelling NAAM terug naar de standaardwaarde\n"
           "  lock NAAM              zet de instelling NAAM vast voor iedereen op deze computer\n"
           "                         (alleen de beheerder; andere werkplekken van het kantoor\n"
           "                         houden hun eigen vergrendelingen)\n"
           "  unlock NAAM            geeft de instelling NAAM weer vrij op deze computer\n"
           "  export BESTAND [--wachtwoorden]\n"
           "                         schrijft alle instellingen in BESTAND; met --wachtwoorden\n"
           "                         ook de wachtwoorden, versleuteld met een wachtwoord voor het\n"
           "                         bestand dat van de invoer wordt gelezen (op een terminal\n"
           "                         zonder dat het zichtbaar is, twee keer ter controle)\n"
           "  import BESTAND         neemt de instellingen uit BESTAND over; bevat het bestand\n"
           "                         wachtwoorden, dan wordt het wachtwoord ervan van de invoer gelezen\n"
           "  history [--since DATUM] [--namen]\n"
           "                         toont de wijzigingsgeschiedenis, genummerd, nieuwste eerst\n"
           "                         (1 is de nieuwste), in de woorden van het scherm; met --namen\n"
           "                         met de namen en opgeslagen waarden van de instellingen\n"
           "  history --terugdraaien N [--toch]\n"
           "                         draait wijziging N terug, via dezelfde regels en controles als\n"
           "                         het venster; is de instelling sindsdien opnieuw gewijzigd, dan\n"
           "                         alleen met --toch\n"
           "  --office               de kantoorinstellingen (GlobalSetup) in plaats van die van\n"
           "                         de gebruiker (Setup)\n"
           "  --adviseur NAAM        (alleen voor een beheerder) werkt met de instellingen van de\n"
           "                         adviseur met deze gebruikersnaam of code; zonder werkt een\n"
           "                         opdracht als de adviseur van het account van het systeem\n"
           "Afsluitcode: 0 gelukt, 1 geweigerd (de reden staat op stderr), 2 verkeerd gebruik.\n"
           "\n"
           "Opties:\n"
           "  --data MAP             de gegevensmap van het kantoor\n"
           "                         (standaard %1)\n"
           "  --page NAAM            opent meteen de pagina NAAM, bijvoorbeeld SetupProxy\n"
           "  --render NAAM|all --out MAP\n"
           "                         schrijft een PNG-afbeelding van de pagina of het\n"
           "                         dialoogvenster NAAM, of van alle pagina's en\n"
           "                         dialoogvensters, in MAP; er is geen beeldscherm voor nodig\n"
           "  --render beheer --out MAP\n"
           "                         schrijft afbeeldingen van de wijzigingsgeschiedenis, het\n"
           "                         voorbeeld van een import en het exportvenster\n"
           "  --render window --out MAP [--page NAAM]\n"
           "                         schrijft een PNG-afbeelding van het hele venster, met de\n"
           "                         pagina NAAM open, anders de laatst gebruikte pagina\n"
           "  --provider MSSQL --server HOST[:POORT] --database NAAM\n"
           "                         gebruikt (en vult bij de eerste start) een kantoordatabase\n"
           "                         op een PostgreSQL-server; gebruiker en wachtwoord komen uit\n"
           "                         PGUSER en PGPASSWORD of ~/.pgpass\n"
           "  --help                 toont deze hulp\n"
           "\n"
           "Zonder beeldscherm: start met -platform vnc en open daarna een VNC-viewer op\n"
           "poort 5900 van deze computer, of maak afbeeldingen met --render.\n"_s.arg(defaultDataFolder);
}

} // namespace tarvelo
