#include "DemoConfiguration.h"

#include "config/Configuration.h"
#include "transfer/ImageEncoder.h"

#include <algorithm>
#include <string>

namespace qolmex {

Configuration demoConfiguration() {
    Configuration c;
    const char* owners[] = {"+421905123456", "+421907654321", "0903111222", "0911222333"};
    for (int k = 1; k <= 4; ++k)
        c.setText(c.position(ListId::POV1, k), owners[k - 1]);
    c.setText(c.position(ListId::POV2, 1), owners[0]);
    c.setText(c.position(ListId::POV2, 2), owners[2]);
    c.setText(c.position(ListId::POO1, 1), owners[0]);
    c.setText(c.position(ListId::POO2, 1), owners[1]);
    c.setText(c.position(ListId::TCV1, 1), owners[0]);
    c.setText(c.position(ListId::TCV1, 2), owners[1]);
    c.setText(c.position(ListId::TCV2, 1), owners[3]);
    c.setText(c.position(ListId::PZS1, 1), owners[1]);
    c.setText(c.position(ListId::PZS2, 1), owners[2]);
    c.setText(c.position(ListId::TCZSSMS, 1), owners[0]);

    c.setText("memoSMSV1", "Alarm: otvorene dvere garaze");
    c.setText("memoSMSNV1", "Dvere garaze zatvorene");
    c.setText("memoSMSV2", "Porucha kurenia");
    c.setText("memoSMSZAP1", "BRANA ZAP");
    c.setText("memoSMSVYP1", "BRANA VYP");
    c.setText("memoSMSZAP2", "KURENIE ZAP");
    c.setText("memoSMSVYP2", "KURENIE VYP");

    c.setText("spinINTERVAL", "7");
    c.setText("spinCAS", "18");
    c.setText("SpinCASRELE1", "5");
    c.setText("SpinCASRELE2", "0");
    c.setText("spinKREDIT", "3");
    c.setText("spinDELAY1", "2");
    c.setText("spinDELAY2", "10");
    c.setChosen("rbVST2_2", true);
    return c;
}

VirtualUnit::Memory unitMemoryOf(const Configuration& config) {
    VirtualUnit::Memory memory{};
    for (const Block& block : encodeImage(config))
        std::copy(block.data.begin(), block.data.end(), memory.begin() + block.address);
    return memory;
}

void storeInUnit(const Configuration& config, VirtualUnit& unit) {
    const VirtualUnit::Memory memory = unitMemoryOf(config);
    unit.preloadMemory(0, std::string(memory.begin(), memory.end()));
}

} // namespace qolmex
