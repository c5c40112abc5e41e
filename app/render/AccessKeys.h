#pragma once

#include <QSet>
#include <QString>
#include <vector>

class QWidget;

namespace tarvelo {

// The access keys of a window, as KDE's accelerator manager gives them: every
// label that names a field, every button, check box and option gets a letter
// of its caption that nothing else on screen uses, preferring the first
// letters of its words. An "&" the caption already has stays as it is. Only
// what is drawn changes: the captions of the forms keep their texts.

// The access key a caption marks with "&", in lower case, or a null character.
QChar accessKeyOf(const QString& caption);

// The caption with an access key of its own: its first word's first letter,
// else another word's first letter, else any letter or digit, that is not
// taken (lower case); wordStartsOnly leaves out the letters inside words.
// A caption that has a key, or finds none free, comes back unchanged.
QString withFreeAccessKey(const QString& caption, const QSet<QChar>& taken, bool wordStartsOnly = false);

// Gives the shown widgets of a window their access keys: first those given
// (the window's own buttons, so that their keys stay put from page to page),
// then the rest in the order Tab visits them, a label where its field is.
// Run again after captions or visibility change; a widget whose text was set
// anew since the last run starts again from that text.
void giveAccessKeys(QWidget& window, const std::vector<QWidget*>& first = {});

// A widget that gets no access key of its own (the Ja and Nee of a yes/no
// choice, which its label's key reaches).
void keepWithoutAccessKey(QWidget& widget);

} // namespace tarvelo
