#include "LightPalette.h"

namespace qolmex {

QPalette lightPalette() {
    using namespace lightColours;
    QPalette palette;
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const bool disabled = group == QPalette::Disabled;
        const QColor foreground = disabled ? grayText : text;
        palette.setColor(group, QPalette::Window, buttonFace);
        palette.setColor(group, QPalette::WindowText, foreground);
        palette.setColor(group, QPalette::Base, disabled ? buttonFace : window);
        palette.setColor(group, QPalette::AlternateBase, QColor(0xF7, 0xF7, 0xF7));
        palette.setColor(group, QPalette::Text, foreground);
        palette.setColor(group, QPalette::PlaceholderText, grayText);
        palette.setColor(group, QPalette::Button, buttonFace);
        palette.setColor(group, QPalette::ButtonText, foreground);
        palette.setColor(group, QPalette::BrightText, window);
        // The edges of raised and sunken frames.
        palette.setColor(group, QPalette::Light, window);
        palette.setColor(group, QPalette::Midlight, QColor(0xE3, 0xE3, 0xE3));
        palette.setColor(group, QPalette::Mid, QColor(0xA0, 0xA0, 0xA0));
        palette.setColor(group, QPalette::Dark, QColor(0xA0, 0xA0, 0xA0));
        palette.setColor(group, QPalette::Shadow, QColor(0x69, 0x69, 0x69));
        palette.setColor(group, QPalette::Highlight,
                         disabled ? QColor(0xCC, 0xCC, 0xCC) : QColor(0x00, 0x78, 0xD7));
        palette.setColor(group, QPalette::HighlightedText, disabled ? grayText : window);
        palette.setColor(group, QPalette::Link, QColor(0x00, 0x66, 0xCC));
        palette.setColor(group, QPalette::LinkVisited, QColor(0x80, 0x00, 0x80));
        palette.setColor(group, QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xE1));
        palette.setColor(group, QPalette::ToolTipText, text);
    }
    return palette;
}

} // namespace qolmex
