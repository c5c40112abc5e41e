#pragma once

#include <QString>

namespace tarvelo {

// Where the installed program keeps what belongs to the machine rather than to
// one user or one office. Installed means: the program lies in PREFIX/bin and
// the machine's folder of the product exists, /etc/tarvelo for the prefix /usr
// and PREFIX/etc/tarvelo for any other (the layout of GNU install folders). A
// program run from its build folder keeps everything in the data folder.
namespace Installation {

// The machine's folder of the product for a program in programFolder; empty
// when the program is not installed.
QString machineFolder(const QString& programFolder);

// The file of the machine hive for a program in programFolder; empty when the
// program is not installed (the host keeps the hive in the data folder then).
// A missing file is created readable by every user where the folder can be
// written: the administrator's locks in it hold for everyone on the machine,
// while only the administrator can change them.
QString machineHiveFile(const QString& programFolder);

} // namespace Installation
} // namespace tarvelo
