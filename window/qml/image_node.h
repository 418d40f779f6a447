#pragma once

#include <QImage>
#include <QRectF>

class QQuickWindow;
class QSGImageNode;
class QSGNode;

namespace orbitdeck {

// Whether window's scene is drawn by Qt's software renderer (false for no window): the one that
// resamples moved, tilted or scaled pictures in every frame and blends over its thread pool.
bool drawsInSoftware(const QQuickWindow* window);

// A textured rectangle of the scene graph showing `image` in `rect`: made or refreshed from
// `node` (null the first time). A new texture is uploaded only when `fresh` says the image
// changed; a null image gives no node (the old one is deleted).
QSGImageNode* updateImageNode(QQuickWindow* window, QSGImageNode* node, const QImage& image,
                              bool fresh, const QRectF& rect);

// The same under `holder`, as horizontal bands under the software renderer: it spreads a picture
// drawn through its general blend (moved by a fraction, tilted, scaled or clipped to several
// rectangles) over Qt's thread pool once the draw spans 96 rows, and waking the pool costs more
// than a tile's picture. Elsewhere one node.
void updateBandedImageNodes(QQuickWindow* window, QSGNode* holder, const QImage& image, bool fresh,
                            const QRectF& rect);

} // namespace orbitdeck
