// SPDX-License-Identifier: MIT
#include "windows/resolution_window.h"

#include "runtime/qt/error_report.h"
#include "runtime/qt/shown_text.h"
#include "runtime/texts.h"
#include "solver/resolution.h"
#include "ui_resolution_window.h"
#include "windows/design.h"
#include "windows/parabola_view.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

namespace windows {
namespace {

namespace texts = runtime::texts;

// Qt's own file dialog keeps its last folder and history in the user's settings, which this
// program never writes: they go to a folder under /dev/null, which cannot be made. On Windows
// the system's own dialog is used, which keeps nothing of Qt's.
void forgetFileDialogs() {
#ifdef Q_OS_UNIX
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("/dev/null"));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("/dev/null"));
#endif
}

// A font of a size in pixels, the same on the screen and on a page drawn in screen pixels.
QFont inPixels(QFont font, int pixels, bool bold = false) {
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

} // namespace

ResolutionWindow::ResolutionWindow(QWidget* parent)
    : QWidget(parent), m_ui(new Ui::ResolutionWindow) {
    m_ui->setupUi(this);
    applyDesignFonts(this);
    // A face with every sign of the working (√, ², ₁, −, ≈), as large as text to read.
    m_ui->lines->setFont(inPixels(QFont(shownFace(QStringLiteral("Verdana"))), 14));
    m_ui->graph->setFont(inPixels(QFont(shownFace(QStringLiteral("Verdana"))), 12));
    m_errorReporter = [this](const QString& text) { runtime::reportError(this, text); };

    connect(m_ui->decimals, &QSpinBox::valueChanged, this, &ResolutionWindow::showLines);
    connect(m_ui->copy, &QPushButton::clicked, this, &ResolutionWindow::copy);
    connect(m_ui->savePdf, &QPushButton::clicked, this, [this] {
        askAndSave(texts::kSavePdfCaption, texts::kPdfName, texts::kPdfFiles,
                   &ResolutionWindow::savePdf);
    });
    connect(m_ui->saveImage, &QPushButton::clicked, this, [this] {
        askAndSave(texts::kSaveImageCaption, texts::kImageName, texts::kPngFiles,
                   &ResolutionWindow::saveImage);
    });
    connect(m_ui->fit, &QPushButton::clicked, m_ui->graph, &ParabolaView::fit);
    connect(m_ui->graph, &ParabolaView::pointerMoved, m_ui->pointer, &QLabel::setText);
    for (QPushButton* button : {m_ui->copy, m_ui->savePdf, m_ui->saveImage, m_ui->fit})
        pressOnReturn(button);
    closeOnEscape(this);
    describe(nullptr, QStringLiteral(","));
}

ResolutionWindow::~ResolutionWindow() = default;

void ResolutionWindow::describe(std::shared_ptr<const solver::Resolution> resolution,
                                const QString& decimalSeparator) {
    m_resolution = std::move(resolution);
    m_ui->graph->setGraph(m_resolution ? std::optional(m_resolution->graph()) : std::nullopt,
                          decimalSeparator);
    for (QPushButton* command : {m_ui->savePdf, m_ui->saveImage, m_ui->fit})
        command->setEnabled(m_resolution != nullptr);
    showLines();
}

void ResolutionWindow::showLines() {
    QStringList lines;
    if (m_resolution) {
        for (const std::string& line : m_resolution->lines(m_ui->decimals->value()))
            lines << QString::fromStdString(line);
    } else {
        lines << runtime::translated(texts::kNothingSolved);
    }
    m_ui->lines->setPlainText(lines.join(QLatin1Char('\n')));
}

QString ResolutionWindow::text() const {
    return m_ui->lines->toPlainText();
}

ParabolaView* ResolutionWindow::graph() const {
    return m_ui->graph;
}

void ResolutionWindow::setErrorReporter(Reporter reporter) {
    m_errorReporter = std::move(reporter);
}

void ResolutionWindow::copy() {
    QGuiApplication::clipboard()->setText(text());
}

bool ResolutionWindow::savePdf(const QString& path) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        QPdfWriter writer(&file);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Millimeter);
        writer.setTitle(runtime::translated(texts::kResolutionTitle));
        writer.setCreator(QStringLiteral("Brimel"));
        QPainter painter(&writer);
        // In the screen's pixels, so that the graph is drawn as on the screen.
        const double scale = writer.resolution() / 96.0;
        painter.scale(scale, scale);
        const QRectF page(0, 0, writer.width() / scale, writer.height() / scale);
        QRectF left = page;
        const auto write = [&](const QString& line, const QFont& font) {
            painter.setFont(font);
            const QRectF used = painter.boundingRect(left, Qt::TextWordWrap, line);
            painter.drawText(left, Qt::TextWordWrap, line);
            left.setTop(left.top() + used.height() + 4);
        };
        const QFont textFont = m_ui->lines->font();
        write(runtime::translated(texts::kResolutionTitle), inPixels(textFont, 20, true));
        for (const QString& line : text().split(QLatin1Char('\n')))
            write(line, inPixels(textFont, 13));
        left.setTop(left.top() + 12);
        m_ui->graph->paint(
            painter, QRectF(left.topLeft(),
                            QSizeF(left.width(), std::min(left.height(), left.width() * 0.75))));
    }
    if (file.error() == QFileDevice::NoError && file.commit())
        return true;
    m_errorReporter(runtime::translated(texts::kCannotSave,
                                        {QDir::toNativeSeparators(path), file.errorString()}));
    return false;
}

bool ResolutionWindow::saveImage(const QString& path) {
    // Twice the size on the screen, or the screen's own scale where that is more.
    const double ratio = std::max(2.0, devicePixelRatioF());
    QImage image(m_ui->graph->size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    {
        QPainter painter(&image);
        m_ui->graph->paint(painter, QRectF(QPointF(0, 0), m_ui->graph->size()));
    }
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && image.save(&file, "PNG") && file.commit())
        return true;
    m_errorReporter(runtime::translated(texts::kCannotSave,
                                        {QDir::toNativeSeparators(path), file.errorString()}));
    return false;
}

void ResolutionWindow::askAndSave(std::string_view caption, std::string_view name,
                                  std::string_view files,
                                  bool (ResolutionWindow::*save)(const QString&)) {
    forgetFileDialogs();
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString fileName = runtime::translated(name);
    QFileDialog dialog(this, runtime::translated(caption), QDir(folder).filePath(fileName),
                       runtime::translated(files));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QFileInfo(fileName).suffix());
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        (this->*save)(dialog.selectedFiles().constFirst());
}

} // namespace windows
