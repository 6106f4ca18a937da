#include "astro/Aspetti.h"

#include "shell/OrbSettings.h"

#include <limits>

static_assert(kAspects.size() == kAspectCount);

namespace {
bool InRange(int aspect)
{
    return aspect >= 1 && aspect <= static_cast<int>(kAspectCount);
}
} // namespace

long double AspectAngle(int aspect)
{
    if (!InRange(aspect))
        return std::numeric_limits<long double>::quiet_NaN();
    return kAspects[static_cast<std::size_t>(aspect - 1)].angle;
}

const char* AspectCaption(int aspect)
{
    return InRange(aspect) ? kAspects[static_cast<std::size_t>(aspect - 1)].caption : "";
}
