#include "scoring/scales.h"

#include <QLatin1String>

namespace hov {

const std::array<Scale, kScaleCount>& scales() {
    return kScales;
}

int scaleIndex(QStringView code) {
    for (int i = 0; i < kScaleCount; ++i) {
        if (code == QLatin1String(kScales[i].code))
            return i;
    }
    return -1;
}

} // namespace hov
