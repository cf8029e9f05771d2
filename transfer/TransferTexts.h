#pragma once

// Texts the transfers show, byte for byte as the unit's installers know them.
namespace qolmex::texts {

inline constexpr const char* sendCaption = "Odosielanie dát";
inline constexpr const char* readCaption = "Načítavanie dát";
inline constexpr const char* waitingLabel = "Čakám na odpoveď.............";
inline constexpr const char* transferringLabel = "Prenášajú sa dáta. Prosím, čakajte.";
inline constexpr const char* wrongUnit = "Pripojené zariadenie nie je QOLMEX 70 USB !";
inline constexpr const char* unitStopped =
    "Zariadenie prestalo odpovedať, prenos dát bol prerušený !";
inline constexpr const char* unplugged = "Zariadenie bolo odpojené, prenos dát bol prerušený !";
inline constexpr const char* identity = "QOLMEX70";

} // namespace qolmex::texts
