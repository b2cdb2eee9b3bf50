// The pictures that come with the program, loaded once from the embedded resources
// and shared: every slot that shows a picture holds a shallow copy of the one loaded.
#pragma once

#include <QPixmap>

#include <map>

namespace durak::qt {

class PictureStore {
public:
    // Holder n's picture; a null pixmap for a holder without one. On a high-density
    // screen the double-size picture is used, at the same natural size.
    QPixmap Picture(int holder);

private:
    std::map<int, QPixmap> loaded_;
};

}  // namespace durak::qt
