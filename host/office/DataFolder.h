#pragma once

#include <QString>

namespace tarvelo {

// The office's data folder: the office database and the folders the pages
// use (data, exchange, program). Everything in it is for its owner only.
namespace DataFolder {

// Under the XDG data folder of the user.
QString defaultPath();
// Creates the folder and its sub-folders, owner-only, and checks that files
// can be written in it. Throws RuntimeError with a Dutch description.
void prepare(const QString& path);
// The office database of the embedded kind keeps the advice database's file
// name, which the database page looks for.
QString officeDatabasePath(const QString& dataFolder);

// The machine hive of a program that is not installed, kept in the data folder.
QString machineHivePath(const QString& dataFolder);

} // namespace DataFolder
} // namespace tarvelo
