#pragma once

#include <array>
#include <string_view>

namespace qolmex {

// The nine phone-number lists. Their positions fill from 1 without gaps.
enum class ListId { POV1, POV2, POO1, POO2, PZS1, PZS2, TCV1, TCV2, TCZSSMS };

struct NumberList {
    ListId id;
    std::string_view name;   // "POV1"
    std::string_view prefix; // position k is named prefix + k: "editPOV1_"
    int listNumber;          // the property every position carries: 1, 2, or 0 for TCZSSMS
    int size;                // 64 or 8
};

inline constexpr std::array<NumberList, 9> numberLists{{
    {ListId::POV1, "POV1", "editPOV1_", 1, 64},
    {ListId::POV2, "POV2", "editPOV2_", 2, 64},
    {ListId::POO1, "POO1", "editPOO1_", 1, 8},
    {ListId::POO2, "POO2", "editPOO2_", 2, 8},
    {ListId::PZS1, "PZS1", "editPZS1_", 1, 8},
    {ListId::PZS2, "PZS2", "editPZS2_", 2, 8},
    {ListId::TCV1, "TCV1", "editTCV1_", 1, 8},
    {ListId::TCV2, "TCV2", "editTCV2_", 2, 8},
    {ListId::TCZSSMS, "TCZSSMS", "editTCZSSMS_", 0, 8},
}};

constexpr const NumberList& numberList(ListId id) {
    return numberLists[static_cast<int>(id)];
}

} // namespace qolmex
