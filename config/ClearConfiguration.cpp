#include "ClearConfiguration.h"

#include "Configuration.h"

#include <initializer_list>

namespace qolmex {
namespace {

void emptyList(Configuration& config, ListId list) {
    for (int k = 1; k <= numberList(list).size; ++k)
        config.setText(config.position(list, k), "");
}

void emptyPair(Configuration& config, const char* stem) {
    for (const char* n : {"1", "2"})
        config.setText(std::string(stem) + n, "");
}

} // namespace

void clearConfiguration(Configuration& config) {
    for (ListId list : {ListId::TCV1, ListId::TCV2, ListId::POO1, ListId::POO2})
        emptyList(config, list);
    for (const char* stem :
         {"memoSMSV", "memoSMSNV", "memoSMSZAP", "memoSMSVYP", "MemoDTMFZAP", "MemoDTMFVYP"})
        emptyPair(config, stem);
    for (ListId list : {ListId::TCZSSMS, ListId::POV1, ListId::POV2, ListId::PZS1, ListId::PZS2})
        emptyList(config, list);

    config.setText("spinINTERVAL", "0");
    config.setText("spinCAS", "0");
    config.setText("SpinCASRELE1", "0");
    config.setText("SpinCASRELE2", "0");
    config.setText("spinKREDIT", "0");
    config.setText("spinDELAY1", "1");
    config.setText("spinDELAY2", "1");

    config.setChosen("rbVST1_1", true);
    config.setChosen("rbVST2_1", true);
    config.setChosen("rbVST1_2", false);
    config.setChosen("rbVST2_2", false);
}

} // namespace qolmex
