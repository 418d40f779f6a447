#include "window/qml/image_reader_warmup.h"

#include <QImageReader>
#include <QThreadPool>

namespace orbitdeck {

void warmImageReadersInBackground() {
    // Asking each plugin what it reads loads every one of them, as the first read would.
    QThreadPool::globalInstance()->start([] { QImageReader::supportedImageFormats(); });
}

} // namespace orbitdeck
