#include "cards/card_names.h"

#include "cards/card_code.h"
#include "cards/picture_catalogue.h"

namespace durak {

std::string CardName(int code) {
    static const char* const kRanks[] = {"шестёрка", "семёрка", "восьмёрка", "девятка", "десятка",
                                         "валет",    "дама",    "король",    "туз"};
    static const char* const kSuits[] = {"пик", "треф", "бубен", "червей"};
    if (!IsCard(code)) return {};
    return std::string(kRanks[code % 50 - 6]) + " " + kSuits[SuitOf(code)];
}

std::string SuitNameInPlural(int suitNumber) {
    static const char* const kSuits[] = {"пики", "трефы", "бубны", "черви"};
    if (suitNumber < 1 || suitNumber > 4) return {};
    return kSuits[suitNumber - 1];
}

int BacksInFan(int holder) {
    switch (holder) {
        case kFanHolder1: return 1;
        case kFanHolder2: return 2;
        case kFanHolder3: return 3;
        case kFanHolder4: return 4;
        case kFanHolder5: return 5;
        case kFanHolder6: return 6;
        case kFanHolder9: return 9;
        case kFanHolder10: return 10;
        case kFanHolder12: return 12;
        default: return 0;
    }
}

}  // namespace durak
