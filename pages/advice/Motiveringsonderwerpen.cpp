#include "pages/advice/Motiveringsonderwerpen.h"

namespace tarvelo {

const std::vector<Motiveringsonderwerp>& motiveringsonderwerpen()
{
    static const std::vector<Motiveringsonderwerp> all = {
        {"Advisering - Algemeen", 0, 1, 1},
        {"Hypotheek - Verduurzaming", 27, 2, 29},
        {"Hypotheek - Verantwoorde woonlasten", 5, 2, 6},
        {"Hypotheek - Aflossingsvorm", 19, 2, 22},
        {"Hypotheek - Rentevastperiode", 1, 2, 2},
        {"Hypotheek - Inbreng eigen geld", 3, 2, 4},
        {"Hypotheek - Oversluiten hypotheek", 4, 2, 5},
        {"Hypotheek - Fiscale aftrek", 2, 2, 3},
        {"Hypotheek - Geldverstrekker", 18, 2, 21},
        {"Hypotheek - Dubbele woonlasten", 20, 2, 19},
        {"Overlijden - Afdekken overlijdensrisico", 7, 3, 8},
        {"Arbeidsongeschiktheid - Afdekken AO", 8, 4, 9},
        {"Werkloosheid - Afdekken WW", 16, 7, 17},
        {"Pensioen - Pensioenvoorziening", 9, 5, 10},
        {"Vermogensopbouw - Wijze opbouw doelvermogen", 11, 6, 12},
        {"Vermogensopbouw - Hoogte opbouw doelvermogen", 10, 6, 11},
        {"Vermogensopbouw - Beleggingsprofiel", 13, 6, 14},
        {"Vermogensopbouw - Risicoprofiel", 22, 6, 24},
        {"Vermogensopbouw - Fondskeuze en rekenrendement", 14, 6, 15},
        {"Vermogensopbouw - Oversluiten beleggingspolis", 15, 6, 16},
        {"Consumptieve kredieten - Consumptieve kredieten", 17, 8, 18},
        {"Schade - Afdekken schade", 21, 9, 23},
        {"Energie - Energie", 23, 11, 26},
        {"Telecom - Telecom", 24, 12, 27},
        {"Nazorg - Nazorg", 25, 10, 25},
        {"Uitvaart - Uitvaart", 26, 13, 28},
    };
    return all;
}

const Motiveringsonderwerp& motiveringsonderwerp(int itemData)
{
    for (const Motiveringsonderwerp& o : motiveringsonderwerpen()) {
        if (o.itemData == itemData)
            return o;
    }
    return motiveringsonderwerpen().front();
}

} // namespace tarvelo
