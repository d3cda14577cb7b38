#include "kelvrix.h"

int32_t CKelvrixStrings::registerLiteral(int32_t id, const std::string& text) {
    strings[id] = text;
    stringCount = static_cast<double>(strings.size());
    return id;
}

const std::string& CKelvrixStrings::stringText(int32_t id) {
    const std::string& text = strings[id];
    stringCount = static_cast<double>(strings.size());
    return text;
}
