#include "window/qml/image_node.h"

#include <QQuickWindow>
#include <QSGImageNode>
#include <QSGRendererInterface>
#include <QSGTexture>

#include <algorithm>

namespace orbitdeck {

bool drawsInSoftware(const QQuickWindow* window) {
    const QSGRendererInterface* renderer = window ? window->rendererInterface() : nullptr;
    return renderer && renderer->graphicsApi() == QSGRendererInterface::Software;
}

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

void updateBandedImageNodes(QQuickWindow* window, QSGNode* holder, const QImage& image, bool fresh,
                            const QRectF& rect) {
    // A band of this many rows stays under the pool's threshold even clipped to two rectangles
    // side by side.
    constexpr int bandRows = 47;
    const int bands = image.isNull() || !window ? 0
                      : drawsInSoftware(window) ? (image.height() + bandRows - 1) / bandRows
                                                : 1;
    if (fresh || holder->childCount() != bands) {
        while (QSGNode* child = holder->firstChild())
            delete child; // leaves the holder by itself
        if (bands == 0)
            return;
        QSGTexture* texture =
            window->createTextureFromImage(image, QQuickWindow::TextureHasAlphaChannel);
        for (int band = 0; band < bands; ++band) {
            QSGImageNode* node = window->createImageNode();
            node->setTexture(texture);
            // The first band's node deletes the texture they share, and goes first.
            node->setOwnsTexture(band == 0);
            node->setFiltering(QSGTexture::Linear);
            holder->appendChildNode(node);
        }
    }
    const qreal pixelsPerPoint = image.height() / rect.height();
    int top = 0;
    for (QSGNode* child = holder->firstChild(); child; child = child->nextSibling()) {
        const int rows = std::min(bands == 1 ? image.height() : bandRows, image.height() - top);
        auto* node = static_cast<QSGImageNode*>(child);
        node->setSourceRect(QRectF(0, top, image.width(), rows));
        node->setRect(
            QRectF(rect.x(), rect.y() + top / pixelsPerPoint, rect.width(), rows / pixelsPerPoint));
        top += rows;
    }
}

} // namespace orbitdeck
