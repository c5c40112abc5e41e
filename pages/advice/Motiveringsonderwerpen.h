#pragma once

#include <QString>
#include <vector>

namespace tarvelo {

// One advice subject of the standard motivation texts: its entry in the
// subject list, the entry's item data, and the section and subject numbers
// under which its texts are kept.
struct Motiveringsonderwerp {
    const char* naam;
    int itemData;
    int onderdeel;
    int onderwerp;
};

// The subjects in the order the list shows them.
const std::vector<Motiveringsonderwerp>& motiveringsonderwerpen();
// The subject an entry's item data selects; an unknown one selects the
// general subject (section 1, subject 1).
const Motiveringsonderwerp& motiveringsonderwerp(int itemData);

} // namespace tarvelo
