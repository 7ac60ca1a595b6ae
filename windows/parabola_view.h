// SPDX-License-Identifier: MIT
// The graph of the parabola in the window "Resolución": the curve, the axes and their ticks, the
// axis of symmetry and the marked points, in the part of the plane the solver chose; the wheel
// and the keys zoom, dragging moves it, Home (or fit()) goes back.
#pragma once

#include "solver/resolution.h"

#include <QColor>
#include <QWidget>

#include <optional>

namespace windows {

class ParabolaView : public QWidget {
    Q_OBJECT

public:
    static constexpr QRgb kCurve = 0x0050C8;
    static constexpr QRgb kRoot = 0xC81E1E;
    static constexpr QRgb kVertex = 0x00823C;
    static constexpr QRgb kYIntercept = 0xAA5A00;

    explicit ParabolaView(QWidget* parent = nullptr);

    // The graph to draw, with the window's decimal separator; nothing before an equation is
    // solved.
    void setGraph(std::optional<solver::Graph> graph, const QString& decimalSeparator);
    const std::optional<solver::Graph>& graph() const { return m_graph; }
    // Back to the part of the plane the solver chose.
    void fit();
    const solver::View& view() const { return m_view; }

    // Draws the graph into area of painter's device, as on the screen.
    void paint(QPainter& painter, const QRectF& area) const;
    // Where the point of the plane (x, y) is drawn when the graph fills area.
    QPointF pixelOf(QPointF point, const QRectF& area) const;
    // The same sentence as the accessible description: the curve and its marked points.
    QString description() const;

Q_SIGNALS:
    // "x = 1,25; y = −0,5" while the pointer is over the plot, empty when it leaves.
    void pointerMoved(const QString& where);

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QRectF plotArea(const QRectF& area) const;
    QPointF pointOf(QPointF pixel, const QRectF& area) const;
    // Zooms by factor (below 1: closer) about a point of the plane, or moves by a part of the
    // view's width and height; within what the doubles can still draw.
    void zoom(double factor, QPointF about);
    void move(double across, double up);
    void setView(solver::View view);
    void describe();

    std::optional<solver::Graph> m_graph;
    QString m_separator = QStringLiteral(",");
    solver::View m_view;
    std::optional<QPointF> m_dragFrom; // the point of the plane being dragged
};

} // namespace windows
