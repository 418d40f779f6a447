#include "window/qml/image_node.h"

#include <QQuickWindow>
#include <QSGImageNode>
#include <QSGTexture>

namespace orbitdeck {

QSGImageNode* updateImageNode(QQuickWindow* window, QSGImageNode* node, const QImage& image,
                              bool fresh, const QRectF& rect, bool mipmap) {
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
        QQuickWindow::CreateTextureOptions options = QQuickWindow::TextureHasAlphaChannel;
        if (mipmap)
            options |= QQuickWindow::TextureHasMipmaps;
        node->setTexture(window->createTextureFromImage(image, options));
        node->setMipmapFiltering(mipmap ? QSGTexture::Linear : QSGTexture::None);
    }
    node->setRect(rect);
    return node;
}

} // namespace orbitdeck
