#include "window/qml/image_node.h"

#include <QQuickWindow>
#include <QSGImageNode>
#include <QSGTexture>

namespace orbitdeck {

QSGImageNode* updateImageNode(QQuickWindow* window, QSGImageNode* node, const QImage& image,
                              bool fresh, const QRectF& rect) {
    if (image.isNull() || !window) {
        delete node;
        return nullptr;
    }
    if (!node) {
        node = window->createImageNode();
        node->setOwnsTexture(true);
        node->setFiltering(QSGTexture::Linear);
        fresh = true;
    }
    if (fresh) {
        // No mipmaps: drawn near their own size, and a software GL makes each level slowly.
        node->setTexture(
            window->createTextureFromImage(image, QQuickWindow::TextureHasAlphaChannel));
    }
    node->setRect(rect);
    return node;
}

} // namespace orbitdeck
