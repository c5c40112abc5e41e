#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

// The tests keep what the program keeps in the user's configuration folder
// (the keys of the passwords, the user's hive) in a folder of their own,
// never in the configuration of the account that runs them.
struct PrivateConfigFolder {
    PrivateConfigFolder() { qputenv("XDG_CONFIG_HOME", QFile::encodeName(QDir(folder.path()).filePath(u"config"_s))); }
    QTemporaryDir folder;
};

const PrivateConfigFolder privateConfigFolder;

} // namespace
