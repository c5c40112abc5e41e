#pragma once

#include <QByteArray>
#include <QString>

namespace tarvelo {

// Text in the ANSI code page of a Dutch Windows system (Windows-1252), one byte
// per character, as exchange files and registry values hold it. A character
// the code page lacks becomes '?'.
QByteArray toAnsi(const QString& text);
QString fromAnsi(const QByteArray& bytes);
// Whether every character of the text has its own byte in the code page, so
// that toAnsi loses nothing.
bool isAnsi(const QString& text);

} // namespace tarvelo
