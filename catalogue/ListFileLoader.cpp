#include "catalogue/ListFileLoader.h"

#include "app/RunTimeError.h"
#include "catalogue/ListFieldParser.h"

#include <array>

namespace tallywick {

std::vector<std::string> loadListFile(ListFileSource& source, const std::string& name) {
    ListFieldParser parser(kMaxListEntries);
    {
        const auto file = source.open(name);
        std::array<char, 64 * 1024> buffer{};
        bool withinLimit = true;
        while (withinLimit) {
            const std::size_t got = file->read(buffer.data(), buffer.size());
            if (got == 0) {
                break;
            }
            withinLimit = parser.feed({buffer.data(), got});
        }
    }
    if (!parser.finish()) {
        throw RunTimeError(ErrorNumber::Overflow,
                           "Overflow: " + name + " holds more than 32,767 entries");
    }
    auto& fields = parser.fields();
    for (auto& field : fields) {
        field = source.decode(field);
    }
    return std::move(fields);
}

} // namespace tallywick
