#pragma once

#include <QString>

namespace tarvelo {

class Ui;

// The folder picker; "" when the user cancelled, so callers keep their old value.
QString BrowseForFolder(Ui& ui, const QString& initialFolder, const QString& title, bool includeFiles = false,
                        bool allowNewFolder = true, bool showEditBox = false);

// True when path is an existing folder; otherwise, when showMessage is set, the
// user is told that the chosen folder was not found.
bool FolderExists(Ui& ui, const QString& path, bool showMessage);

// The path ending in exactly one folder separator. An empty path stays empty:
// it means "no folder", never the root of the file system.
QString AddBackslash(const QString& path);

// The folder the program should work in, given the folder it runs from:
// - a development build (the program runs from below a top-level folder named
//   "source", in any case) works in that folder's "Tarvelo/bin";
// - otherwise the program folder, cut after its last path component "bin" (in
//   any case, the case kept); a program folder without "bin" is used as it is.
QString ProgramWorkFolder(const QString& programFolder);

// Makes ProgramWorkFolder of the running program's folder the current folder.
bool SetCurrentDirToProgramFolder();
// The same for a given program folder; false when the folder cannot be entered.
bool SetCurrentDirToProgramFolder(const QString& programFolder);

} // namespace tarvelo
