// The pictures that come with the program, decoded from the embedded resources the
// first time a slot shows them and shared after that: every slot that shows a picture
// holds a shallow copy of the one decoded. Decoding all of them when the window opens
// would cost start-up CPU (`window_bench startup`, bench/run.sh).
#pragma once

#include <QPixmap>

#include <map>

namespace durak::qt {

class PictureStore {
public:
    // Holder n's picture; a null pixmap for a holder without one. On a high-density
    // screen the double-size picture is used, at the same natural size.
    QPixmap Picture(int holder);
    // Whether holder n's picture has been decoded, and how many have been.
    bool Decoded(int holder) const { return loaded_.count(holder) != 0; }
    int DecodedCount() const { return static_cast<int>(loaded_.size()); }

private:
    std::map<int, QPixmap> loaded_;
};

}  // namespace durak::qt
