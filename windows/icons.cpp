// SPDX-License-Identifier: MIT
#include "windows/icons.h"

#include <QIconEngine>
#include <QImageReader>
#include <QPainter>

namespace windows {
namespace {

// The images as they are, and above the largest of them the drawing itself, read by Qt's SVG
// image plugin at the size asked for. (Qt's SVG icon engine would keep only one image per
// mode, and its pixmap engine reads a drawing at its own size only.) The sizes it offers are
// the images': what a window system is sent at start-up stays small.
class ProgramIconEngine : public QIconEngine {
public:
    ProgramIconEngine(QIcon images, QString drawing)
        : m_images(std::move(images)), m_drawing(std::move(drawing)) {}

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        if (!beyondTheImages(size))
            return m_images.pixmap(size, mode, state);
        QImageReader reader(m_drawing);
        reader.setScaledSize(size);
        const QImage image = reader.read();
        return image.isNull() ? m_images.pixmap(size, mode, state) : QPixmap::fromImage(image);
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return beyondTheImages(size) ? size : m_images.actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return m_images.availableSizes(mode, state);
    }
    QIconEngine* clone() const override { return new ProgramIconEngine(m_images, m_drawing); }

private:
    bool beyondTheImages(const QSize& size) const {
        const QList<QSize> sizes = m_images.availableSizes();
        return !sizes.isEmpty() && size.width() > sizes.last().width() &&
               size.height() > sizes.last().height();
    }

    QIcon m_images;
    QString m_drawing;
};

} // namespace

QIcon designIcon() {
    // Four small images: reading them at once costs a few hundred microseconds.
    QIcon icon;
    for (const char* name : {"brimel-16-16c", "brimel-16-256c"})
        icon.addFile(QStringLiteral(":/icons/%1.png").arg(QLatin1String(name)), QSize(16, 16));
    for (const char* name : {"brimel-32-16c", "brimel-32-256c"})
        icon.addFile(QStringLiteral(":/icons/%1.png").arg(QLatin1String(name)), QSize(32, 32));
    return icon;
}

QIcon programIcon(QIcon images) {
    for (int size : {48, 64, 128, 256})
        images.addFile(QStringLiteral(":/icons/hicolor/%1x%1/brimel.png").arg(size),
                       QSize(size, size));
    return QIcon(new ProgramIconEngine(images, QStringLiteral(":/icons/brimel.svg")));
}

QIcon aboutIcon() {
    return QIcon(QStringLiteral(":/icons/brimel-32-16c.png"));
}

} // namespace windows
