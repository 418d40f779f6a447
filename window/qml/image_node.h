#pragma once

#include <QImage>
#include <QRectF>

class QQuickWindow;
class QSGImageNode;

namespace orbitdeck {

// A textured rectangle of the scene graph showing `image` in `rect`: made or refreshed from
// `node` (null the first time). A new texture is uploaded only when `fresh` says the image
// changed; a null image gives no node (the old one is deleted).
QSGImageNode* updateImageNode(QQuickWindow* window, QSGImageNode* node, const QImage& image,
                              bool fresh, const QRectF& rect);

} // namespace orbitdeck
