#pragma once

// Texts of the support options: the trace and its replay.
namespace qolmex::cli::texts {

inline constexpr const char* replayPrefix = "Prehrávanie: ";
inline constexpr const char* replayDiffers = "Program sa odchyľuje od záznamu: ";

} // namespace qolmex::cli::texts
