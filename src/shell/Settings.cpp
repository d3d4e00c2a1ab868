#include "shell/Settings.h"

namespace qj {

std::optional<int> SkinIndex(const Settings& settings) {
    if (settings.skinIndex.isEmpty())
        return std::nullopt;
    return ParseProfileInt(settings.skinIndex);
}

} // namespace qj
