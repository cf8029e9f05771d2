#include "MemoryImage.h"

namespace qolmex {

std::optional<ListPosition> listPositionAt(std::uint16_t address) {
    // Lists lie in address order, each directly after the one before.
    for (const NumberList& list : numberLists) {
        const unsigned base = listBase(list.id);
        const std::size_t end = base + blockSize * static_cast<std::size_t>(list.size);
        if (address >= base && address < end)
            return ListPosition{list.id, static_cast<int>((address - base) / blockSize) + 1};
    }
    return std::nullopt;
}

} // namespace qolmex
