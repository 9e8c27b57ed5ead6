#include "catalogue/ListFileLoader.h"

#include "app/RunTimeError.h"
#include "catalogue/ListFieldParser.h"

#include <algorithm>
#include <array>

namespace tallywick {

std::vector<std::string> loadListFile(ListFileSource& source, const std::string& name) {
    ListFieldParser parser(kMaxListEntries);
    std::vector<std::string> entries;
    // Fields are decoded as each chunk completes them, so the raw bytes never
    // pile up beside the entries.
    const auto takeFields = [&] {
        const std::size_t needed = entries.size() + parser.fields().size();
        if (needed > entries.capacity()) {
            entries.reserve(std::max(needed, 2 * entries.capacity()));
        }
        for (const std::string_view field : parser.fields()) {
            entries.push_back(source.decode(field));
        }
        parser.clearFields();
    };
    {
        const auto file = source.open(name);
        // Filled by each read before it is looked at: no need to clear it.
        std::array<char, 64 * 1024> buffer;
        bool withinLimit = true;
        while (withinLimit) {
            const std::size_t got = file->read(buffer.data(), buffer.size());
            if (got == 0) {
                break;
            }
            withinLimit = parser.feed({buffer.data(), got});
            takeFields();
        }
    }
    if (!parser.finish()) {
        throw RunTimeError(ErrorNumber::Overflow,
                           "Overflow: " + name + " holds more than 32,767 entries");
    }
    takeFields();
    return entries;
}

} // namespace tallywick
