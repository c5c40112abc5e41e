// Fills the bash completion of the program with the names it knows: every
// setting of Setup and GlobalSetup and every page, so that
// "tarvelo-instellingen set Prox<TAB>" completes from the settings as they
// are declared. tarvelo_completion_words TEMPLATE OUTPUT; the template holds
// @SETTINGS@ and @PAGES@.
#include <tarvelo/framework/host/Settings.h>
#include <tarvelo/framework/page/PageRegistry.h>
#include <tarvelo/pages/AllPages.h>

#include <QFile>
#include <QStringList>

#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fputs("gebruik: tarvelo_completion_words SJABLOON UITVOER\n", stderr);
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s kan niet worden gelezen\n", argv[1]);
        return 1;
    }
    QString text = QString::fromUtf8(in.readAll());

    const tarvelo::Settings settings;
    QStringList names = settings.names();
    names.sort(Qt::CaseInsensitive);
    tarvelo::PageRegistry registry;
    tarvelo::registerAllPages(registry);
    QStringList pages;
    for (const tarvelo::PageInfo& page : registry.pages())
        pages << page.className;
    pages.sort(Qt::CaseInsensitive);
    text.replace(u"@SETTINGS@"_s, names.join(u' '));
    text.replace(u"@PAGES@"_s, pages.join(u' '));

    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(text.toUtf8()) < 0 || !out.flush()) {
        std::fprintf(stderr, "%s kan niet worden geschreven\n", argv[2]);
        return 1;
    }
    return 0;
}
