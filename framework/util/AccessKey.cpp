#include "framework/util/AccessKey.h"

namespace tarvelo {

QString withoutAccessKey(const QString& caption)
{
    QString text;
    text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&')) {
            if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&'))
                text += QLatin1Char('&'), ++i;
            continue;
        }
        text += caption[i];
    }
    return text;
}

} // namespace tarvelo
