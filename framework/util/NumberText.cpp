#include "framework/util/NumberText.h"

namespace tarvelo {

QString numberText(double value) { return QString::number(value, 'g', 15).replace(QLatin1Char('.'), QLatin1Char(',')); }

} // namespace tarvelo
