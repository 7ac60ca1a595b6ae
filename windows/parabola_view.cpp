// SPDX-License-Identifier: MIT
#include "windows/parabola_view.h"

#include "runtime/qt/shown_text.h"
#include "runtime/texts.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace windows {
namespace {

constexpr QRgb kBackground = 0xFFFFFF;
constexpr QRgb kGrid = 0xE1E1E1;
constexpr QRgb kAxes = 0x282828;
constexpr QRgb kText = 0x3C3C3C;
constexpr QRgb kSymmetry = 0x787878;
constexpr double kMarkerRadius = 4.5;
constexpr double kZoomStep = 0.8; // one notch of the wheel, or + from the keyboard
constexpr double kMoveStep = 0.1; // of the view, for an arrow key
// A view no narrower than this part of its coordinates, nor wider than this, stays drawable.
constexpr double kNarrowest = 1e-12;
constexpr double kWidest = 1e300;

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QColor colourOf(solver::MarkedPoint::Kind kind) {
    switch (kind) {
    case solver::MarkedPoint::Kind::Root:
        return QColor(ParabolaView::kRoot);
    case solver::MarkedPoint::Kind::Vertex:
        return QColor(ParabolaView::kVertex);
    case solver::MarkedPoint::Kind::YIntercept:
        return QColor(ParabolaView::kYIntercept);
    }
    return QColor(kAxes);
}

// The plane to the pixels of a plot: one QTransform, applied to coordinates measured from the
// view's corner first (a coordinate of 1e300 scaled whole would leave nothing of the pixels
// once the corner is taken off).
class Mapping {
public:
    Mapping(const solver::View& view, const QRectF& plot)
        : m_view(view), m_toPlot(QTransform::fromTranslate(plot.left(), plot.bottom())
                                     .scale(plot.width(), -plot.height())) {}
    QPointF operator()(double x, double y) const {
        return m_toPlot.map(QPointF((x - m_view.x.low) / (m_view.x.high - m_view.x.low),
                                    (y - m_view.y.low) / (m_view.y.high - m_view.y.low)));
    }

private:
    solver::View m_view;
    QTransform m_toPlot;
};

bool drawable(const solver::Range& range) {
    const double span = range.high - range.low;
    const double largest = std::max(std::fabs(range.low), std::fabs(range.high));
    return std::isfinite(span) && span > 0 && span <= kWidest && span >= kNarrowest * largest &&
           largest < 1e307;
}

} // namespace

ParabolaView::ParabolaView(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setMinimumSize(240, 180);
    setAccessibleName(runtime::translated(runtime::texts::kGraphName));
}

void ParabolaView::setGraph(std::optional<solver::Graph> graph, const QString& decimalSeparator) {
    m_graph = std::move(graph);
    m_separator = decimalSeparator;
    describe();
    fit();
}

void ParabolaView::fit() {
    if (m_graph)
        m_view = m_graph->chosen.view;
    update();
}

void ParabolaView::describe() {
    setAccessibleDescription(description());
}

QString ParabolaView::description() const {
    if (!m_graph)
        return runtime::translated(runtime::texts::kNothingSolved);
    std::string points;
    for (const solver::MarkedPoint& point : m_graph->points)
        points += (points.empty() ? "" : "; ") + point.label;
    std::string text =
        runtime::texts::filled(runtime::texts::kGraphDescription, {m_graph->function, points});
    for (const std::string& note : {m_graph->noCrossing, m_graph->outside})
        if (!note.empty())
            text += " " + note + (note.ends_with('.') ? "" : ".");
    return fromUtf8(text);
}

QRectF ParabolaView::plotArea(const QRectF& area) const {
    // Room on the left for the widest label of the y axis, below for those of the x axis.
    double widest = 0;
    if (m_graph && drawable(m_view.y))
        for (const std::string& label : solver::ticks(m_view.y, m_separator.toStdString()).labels)
            widest = std::max(widest, fontMetrics().horizontalAdvance(fromUtf8(label)) * 1.0);
    const double line = fontMetrics().height();
    return area.adjusted(widest + 10, 8, -12, -(line + 8));
}

QPointF ParabolaView::pixelOf(QPointF point, const QRectF& area) const {
    return Mapping(m_view, plotArea(area))(point.x(), point.y());
}

QPointF ParabolaView::pointOf(QPointF pixel, const QRectF& area) const {
    const QRectF plot = plotArea(area);
    const double across = (pixel.x() - plot.left()) / plot.width();
    const double up = (plot.bottom() - pixel.y()) / plot.height();
    return {m_view.x.low + across * (m_view.x.high - m_view.x.low),
            m_view.y.low + up * (m_view.y.high - m_view.y.low)};
}

void ParabolaView::paint(QPainter& painter, const QRectF& area) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font());
    painter.fillRect(area, QColor(kBackground));
    if (!m_graph) {
        painter.setPen(QColor(kText));
        painter.drawText(area, Qt::AlignCenter,
                         runtime::translated(runtime::texts::kNothingSolved));
        painter.restore();
        return;
    }
    const QRectF plot = plotArea(area);
    const Mapping toPixel(m_view, plot);
    const std::string separator = m_separator.toStdString();
    const solver::Ticks across = solver::ticks(m_view.x, separator);
    const solver::Ticks up = solver::ticks(m_view.y, separator);
    const QFontMetricsF metrics(font(), painter.device());

    // The grid, its labels, the axes and the axis of symmetry.
    for (std::size_t i = 0; i < across.at.size(); ++i) {
        const double x = toPixel(across.at[i], 0).x();
        painter.setPen(QPen(QColor(kGrid), 1));
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        painter.setPen(QColor(kText));
        const QString label = fromUtf8(across.labels[i]);
        const double width = metrics.horizontalAdvance(label);
        painter.drawText(QPointF(std::clamp(x - width / 2, area.left(), area.right() - width),
                                 plot.bottom() + metrics.ascent() + 4),
                         label);
    }
    for (std::size_t i = 0; i < up.at.size(); ++i) {
        const double y = toPixel(0, up.at[i]).y();
        painter.setPen(QPen(QColor(kGrid), 1));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(QColor(kText));
        const QString label = fromUtf8(up.labels[i]);
        painter.drawText(QPointF(plot.left() - metrics.horizontalAdvance(label) - 5,
                                 y + metrics.ascent() / 2 - 1),
                         label);
    }
    painter.setClipRect(plot);
    painter.setPen(QPen(QColor(kAxes), 1.2));
    if (m_view.y.contains(0)) {
        const double y = toPixel(0, 0).y();
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    }
    if (m_view.x.contains(0)) {
        const double x = toPixel(0, 0).x();
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    }
    if (m_view.x.contains(m_graph->axis)) {
        const double x = toPixel(m_graph->axis, 0).x();
        painter.setPen(QPen(QColor(kSymmetry), 1, Qt::DashLine));
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    }

    // The curve, a point for every pixel across and one at the vertex, as polylines broken where
    // it has no value; a point far above or below the plot is kept only where the curve
    // crosses the plot's edge next to it, so that no segment runs long outside the clip.
    const int samples = static_cast<int>(std::ceil(plot.width()));
    std::vector<double> xs;
    xs.reserve(static_cast<std::size_t>(samples) + 2);
    for (int i = 0; i <= samples; ++i)
        xs.push_back(m_view.x.low + (m_view.x.high - m_view.x.low) * i / samples);
    if (m_view.x.contains(m_graph->axis))
        xs.insert(std::upper_bound(xs.begin(), xs.end(), m_graph->axis), m_graph->axis);
    std::vector<std::optional<QPointF>> pixels;
    pixels.reserve(xs.size());
    constexpr double kFar = 1e5; // pixels beyond the plot that still draw true in floats
    for (const double x : xs) {
        const double y = m_graph->curve.at(x);
        if (std::isnan(y)) {
            pixels.emplace_back();
            continue;
        }
        const double height = std::isfinite(y) ? toPixel(x, y).y() : (y > 0 ? -kFar : kFar);
        pixels.emplace_back(QPointF(toPixel(x, 0).x(),
                                    std::clamp(height, plot.top() - kFar, plot.bottom() + kFar)));
    }
    const auto outside = [&](std::size_t i, int side) {
        return i < pixels.size() && pixels[i] &&
               (side < 0 ? pixels[i]->y() < plot.top() : pixels[i]->y() > plot.bottom());
    };
    painter.setPen(QPen(QColor(kCurve), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPolygonF line;
    for (std::size_t i = 0; i <= pixels.size(); ++i) {
        const bool hidden =
            i < pixels.size() && pixels[i] &&
            ((outside(i, -1) && i > 0 && outside(i - 1, -1) && outside(i + 1, -1)) ||
             (outside(i, 1) && i > 0 && outside(i - 1, 1) && outside(i + 1, 1)));
        if (i < pixels.size() && pixels[i] && !hidden) {
            line << *pixels[i];
            continue;
        }
        if (line.size() > 1)
            painter.drawPolyline(line);
        line.clear();
    }

    // The marked points, hollow, so that the curve shows through them, and their values, each
    // on the first side of its point where it covers no other point or value.
    std::vector<QRectF> taken;
    for (const solver::MarkedPoint& point : m_graph->points)
        if (m_view.x.contains(point.at.x) && m_view.y.contains(point.at.y))
            taken.push_back(
                QRectF(toPixel(point.at.x, point.at.y), QSizeF())
                    .adjusted(-kMarkerRadius, -kMarkerRadius, kMarkerRadius, kMarkerRadius));
    for (const solver::MarkedPoint& point : m_graph->points) {
        if (!m_view.x.contains(point.at.x) || !m_view.y.contains(point.at.y))
            continue;
        const QPointF at = toPixel(point.at.x, point.at.y);
        painter.setPen(QPen(colourOf(point.kind), 2));
        painter.drawEllipse(at, kMarkerRadius, kMarkerRadius);
        const QString label = fromUtf8(point.label);
        const QSizeF size(metrics.horizontalAdvance(label), metrics.height());
        const double gap = kMarkerRadius + 3;
        QRectF place;
        for (const QPointF corner : {QPointF(gap, -gap - size.height()),
                                     QPointF(-gap - size.width(), -gap - size.height()),
                                     QPointF(gap, gap), QPointF(-gap - size.width(), gap)}) {
            place = QRectF(at + corner, size);
            const bool free = std::none_of(taken.begin(), taken.end(), [&](const QRectF& other) {
                return other.intersects(place);
            });
            if (free && plot.contains(place))
                break;
        }
        taken.push_back(place);
        painter.drawText(place, Qt::AlignLeft | Qt::AlignVCenter, label);
    }

    // What the view leaves out, and a parabola that does not meet the x axis, in words.
    QStringList notes;
    for (const std::string& note : {m_graph->noCrossing, m_graph->outside})
        if (!note.empty())
            notes << fromUtf8(note);
    if (!notes.isEmpty()) {
        const QRectF box = plot.adjusted(6, 4, -6, -4);
        const QRectF used = metrics.boundingRect(
            box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, notes.join(QLatin1Char('\n')));
        painter.fillRect(used.adjusted(-3, -1, 3, 1), QColor(255, 255, 255, 220));
        painter.setPen(QColor(kText));
        painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                         notes.join(QLatin1Char('\n')));
    }
    painter.restore();
}

void ParabolaView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paint(painter, rect());
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    }
}

void ParabolaView::setView(solver::View view) {
    if (!drawable(view.x) || !drawable(view.y))
        return; // closer or farther than the doubles can draw: it stays as it is
    m_view = view;
    update();
}

void ParabolaView::zoom(double factor, QPointF about) {
    const auto scaled = [factor](const solver::Range& range, double centre) {
        return solver::Range{centre + (range.low - centre) * factor,
                             centre + (range.high - centre) * factor};
    };
    setView({scaled(m_view.x, about.x()), scaled(m_view.y, about.y())});
}

void ParabolaView::move(double across, double up) {
    const double dx = (m_view.x.high - m_view.x.low) * across;
    const double dy = (m_view.y.high - m_view.y.low) * up;
    setView({{m_view.x.low + dx, m_view.x.high + dx}, {m_view.y.low + dy, m_view.y.high + dy}});
}

void ParabolaView::wheelEvent(QWheelEvent* event) {
    if (!m_graph)
        return;
    const double notches = event->angleDelta().y() / 120.0;
    zoom(std::pow(kZoomStep, notches), pointOf(event->position(), rect()));
    event->accept();
}

void ParabolaView::mousePressEvent(QMouseEvent* event) {
    if (m_graph && event->button() == Qt::LeftButton)
        m_dragFrom = pointOf(event->position(), rect());
}

void ParabolaView::mouseMoveEvent(QMouseEvent* event) {
    if (!m_graph)
        return;
    const QPointF at = pointOf(event->position(), rect());
    if (m_dragFrom) {
        const double dx = m_dragFrom->x() - at.x(), dy = m_dragFrom->y() - at.y();
        setView({{m_view.x.low + dx, m_view.x.high + dx}, {m_view.y.low + dy, m_view.y.high + dy}});
        return;
    }
    if (!plotArea(rect()).contains(event->position())) {
        Q_EMIT pointerMoved({});
        return;
    }
    // To a tenth of the ticks' step: as many decimals as that needs.
    const auto coordinate = [this](double value, const solver::Range& range) {
        const int exponent = solver::ticks(range, m_separator.toStdString()).exponent - 1;
        const QString text = std::fabs(value) >= 1e15 || exponent < -15
                                 ? QString::number(value, 'g', 6)
                                 : QString::number(value, 'f', std::max(0, -exponent));
        return QString(text)
            .replace(QLatin1Char('.'), m_separator)
            .replace(QLatin1Char('-'), QChar(0x2212));
    };
    Q_EMIT pointerMoved(
        QStringLiteral("x = %1%2y = %3")
            .arg(coordinate(at.x(), m_view.x),
                 m_separator == QLatin1String(".") ? QStringLiteral(", ") : QStringLiteral("; "),
                 coordinate(at.y(), m_view.y)));
}

void ParabolaView::mouseReleaseEvent(QMouseEvent*) {
    m_dragFrom.reset();
}

void ParabolaView::leaveEvent(QEvent*) {
    Q_EMIT pointerMoved({});
}

void ParabolaView::keyPressEvent(QKeyEvent* event) {
    if (!m_graph) {
        QWidget::keyPressEvent(event);
        return;
    }
    const QPointF centre((m_view.x.low + m_view.x.high) / 2, (m_view.y.low + m_view.y.high) / 2);
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        zoom(kZoomStep, centre);
        break;
    case Qt::Key_Minus:
        zoom(1 / kZoomStep, centre);
        break;
    case Qt::Key_Left:
        move(-kMoveStep, 0);
        break;
    case Qt::Key_Right:
        move(kMoveStep, 0);
        break;
    case Qt::Key_Up:
        move(0, kMoveStep);
        break;
    case Qt::Key_Down:
        move(0, -kMoveStep);
        break;
    case Qt::Key_Home:
        fit();
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

} // namespace windows
