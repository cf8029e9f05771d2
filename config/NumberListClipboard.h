#pragma once

#include "Configuration.h"

#include <string>
#include <string_view>

namespace qolmex {

struct ListPaste {
    int placed = 0;
    int leftOut = 0; // numbers after the list's last position
};

// Puts numbers copied from a spreadsheet column or row (cells separated by line breaks, tabs,
// semicolons or commas) into the list of `position`, from that position on, one a position.
// Each cell meets what typing would: only the characters `filter` lets through, and typing
// stops at the field's limit. A cell the filter leaves empty is skipped. A position past the
// list's filled run starts the paste at the list's first empty position, so that every number
// set stays where the list rule keeps it.
ListPaste pasteNumberList(Configuration& config, FieldId position, std::u16string_view text,
                          int (*filter)(int));

// The filled positions of a list, one a line.
std::string copyNumberList(const Configuration& config, ListId list);

} // namespace qolmex
