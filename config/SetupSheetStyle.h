#pragma once

#include <string_view>

namespace qolmex {

// The setup sheet's one style sheet: A4 pages when printed, a sheet of paper on a grey desk on
// a wide screen, one column on a narrow one. Only fonts every system has.
inline constexpr std::string_view setupSheetStyle = R"(
@page { size: A4; margin: 12mm 15mm; }
* { box-sizing: border-box; }
html { color: #111; background: #fff; }
body { margin: 0 auto; max-width: 180mm;
       font: 10pt/1.35 "DejaVu Sans", "Liberation Sans", Arial, Helvetica, sans-serif; }
h1 { font-size: 17pt; margin: 0 0 1mm; }
.meta { margin: 0 0 5mm; color: #333; }
section { margin: 0 0 4.5mm; break-inside: avoid; }
h2 { font-size: 12pt; margin: 0 0 1mm; padding-bottom: 0.6mm; border-bottom: 0.5mm solid #345; }
table { width: 100%; border-collapse: collapse; }
th, td { text-align: left; vertical-align: top; padding: 1mm 2mm 1mm 0;
         border-bottom: 0.2mm solid #ccc; }
th { width: 32%; font-weight: normal; color: #333; }
td { font-weight: bold; }
.text { white-space: pre-wrap; overflow-wrap: anywhere; }
.none { color: #777; font-weight: normal; }
ol { margin: 0; padding: 0; column-width: 11.5em; column-gap: 3mm; font-size: 0.95em; }
li { margin-left: 2.2em; break-inside: avoid; font-variant-numeric: tabular-nums;
     white-space: nowrap; } /* the number before it stays in its own column */
li::marker { color: #777; font-weight: normal; }
@media print {
  body { font-size: 9.5pt; }
  th, td { padding: 0.7mm 2mm 0.7mm 0; }
  section { margin-bottom: 3.5mm; }
}
@media screen {
  html { background: #e8e8e8; }
  body { max-width: 210mm; margin: 6mm auto; padding: 12mm 15mm; background: #fff;
         box-shadow: 0 0 3mm #aaa; }
}
@media screen and (max-width: 600px) {
  body { margin: 0; padding: 4mm; box-shadow: none; }
  th, td { display: block; width: auto; border: 0; padding: 0.5mm 0; }
  tr { display: block; border-bottom: 0.2mm solid #ccc; padding: 1mm 0; }
}
)";

} // namespace qolmex
