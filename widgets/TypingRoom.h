#pragma once

namespace qolmex {

// How many more characters the user may type or paste into a text of `length` characters
// whose `selected` characters are about to be replaced. A limit of 0 means no limit. A text
// set from a file or a unit may already be longer than the limit; it is kept, and only
// grows no further.
constexpr int typingRoom(int limit, int length, int selected) {
    if (limit <= 0)
        return 1 << 30;
    const int room = limit - (length - selected);
    return room > 0 ? room : 0;
}

} // namespace qolmex
