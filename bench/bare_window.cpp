// A bare Qt Widgets program to measure the settings window against: it
// starts, builds a list of 44 entries and one page of thirty labelled fields
// in group boxes, lays them out and grabs the window into a PNG, as
// `tarvelo-instellingen --render window` does. scripts/bench.sh times both
// from outside the process.
#include <QApplication>
#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QScrollArea>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    QWidget window;
    auto* row = new QHBoxLayout(&window);
    auto* list = new QTreeWidget;
    list->setHeaderHidden(true);
    for (int g = 0; g < 7; ++g) {
        auto* group = new QTreeWidgetItem(list, {u"Groep %1"_s.arg(g + 1)});
        for (int i = g; i < 44; i += 7)
            new QTreeWidgetItem(group, {u"Pagina %1"_s.arg(i + 1)});
    }
    list->expandAll();
    row->addWidget(list);
    auto* page = new QWidget;
    auto* frames = new QVBoxLayout(page);
    for (int f = 0; f < 5; ++f) {
        auto* box = new QGroupBox(u"Kader %1"_s.arg(f + 1));
        auto* form = new QFormLayout(box);
        for (int i = 0; i < 6; ++i)
            form->addRow(u"Veld %1"_s.arg(f * 6 + i + 1), new QLineEdit);
        frames->addWidget(box);
    }
    auto* scroll = new QScrollArea;
    scroll->setWidget(page);
    scroll->setWidgetResizable(true);
    row->addWidget(scroll, 1);
    window.resize(1000, 700);
    window.show();
    QCoreApplication::processEvents();
    return window.grab().save(QDir(out).absoluteFilePath(u"kaal.png"_s)) ? 0 : 1;
}
