#include "NumberListClipboard.h"

#include "Windows1250.h"

#include <vector>

namespace qolmex {
namespace {

bool separates(char16_t c) {
    return c == u'\n' || c == u'\r' || c == u'\t' || c == u';' || c == u',';
}

std::vector<std::string> numbersIn(std::u16string_view text, int (*filter)(int), int limit) {
    std::vector<std::string> numbers;
    std::u16string cell;
    const auto endCell = [&] {
        if (!cell.empty())
            numbers.push_back(encodeWindows1250(cell));
        cell.clear();
    };
    for (const char16_t c : text) {
        if (separates(c)) {
            endCell();
            continue;
        }
        // Control codes typed are commands, not characters of the number.
        const bool kept = c >= 32 && filter(c) != 0;
        if (kept && (limit <= 0 || static_cast<int>(cell.size()) < limit))
            cell.push_back(c);
    }
    endCell();
    return numbers;
}

} // namespace

ListPaste pasteNumberList(Configuration& config, FieldId position, std::u16string_view text,
                          int (*filter)(int)) {
    const FieldDef& def = config.definition(position);
    const ListId list = def.list.value();
    int next = def.position;
    while (next > 1 && config.text(config.position(list, next - 1)).empty())
        --next;
    ListPaste paste;
    for (const std::string& number : numbersIn(text, filter, def.typingLimit)) {
        if (next > numberList(list).size) {
            ++paste.leftOut;
            continue;
        }
        config.setText(config.position(list, next++), number);
        ++paste.placed;
    }
    return paste;
}

std::string copyNumberList(const Configuration& config, ListId list) {
    std::string lines;
    for (int k = 1; k <= numberList(list).size; ++k) {
        const std::string& number = config.text(config.position(list, k));
        if (number.empty())
            break;
        if (!lines.empty())
            lines += '\n';
        lines += number;
    }
    return lines;
}

} // namespace qolmex
