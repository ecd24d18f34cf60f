// Point-number lookup: a linear scan of the point list, the first equal entry wins.
#include "library/cbodu.h"

#include <string_view>

#include "messages.h"
#include "platform/record.h"

namespace library {

namespace {

// Scans IN(1..IB) for an entry equal to ICB. On failure I = IB + 1 (1 when IB <= 0) and the
// console line is written by the caller's `report`.
template <class Entry, class Report>
Status scan(const Entry* IN, Index IB, const Entry& ICB, Index& I, Report report)
{
    for (int n = 1; n <= IB; ++n)
        if (IN[n - 1] == ICB) {
            I = static_cast<Index>(n);
            return DONE;
        }
    I = static_cast<Index>(IB > 0 ? IB + 1 : 1);
    report();
    return FAILED;
}

}  // namespace

Status CBODU(const std::int16_t* IN, Index /*JB*/, Index IB, std::int16_t ICB, Index& I,
             platform::Console& console)
{
    return scan(IN, IB, ICB, I, [&] {
        console.say(platform::Record().text(messages::number_missing).item(ICB));
    });
}

Status CBODUA(const PointName* IN, Index /*JB*/, Index IB, const PointName& ICB, Index& I,
              platform::Console& console)
{
    return scan(IN, IB, ICB, I, [&] {
        const std::string_view name(ICB.data(), ICB.size());
        console.say(platform::Record().text(messages::number_missing).text(name));
    });
}

}  // namespace library
