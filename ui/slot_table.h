// Every picture slot of the window: where it lies, how large it is when it shows no
// picture, which picture it starts with and whether it is shown at start. Positions
// and sizes are in twips (15 twips to a pixel) on the client area.
#pragma once

#include <array>

namespace durak::qt {

constexpr int kTwipsPerPixel = 15;
constexpr int kFirstControl = 1;
constexpr int kLastControl = 99;

struct SlotSpec {
    int control = 0;      // Image<control>
    int left = 0, top = 0;
    int width = 0, height = 0;  // the size while the slot shows no picture
    int picture = 0;      // holder whose picture the slot starts with; 0 for none
    bool shownAtStart = false;
};

// The slot of a control number 1..99.
const SlotSpec& SlotOf(int control);

}  // namespace durak::qt
