// SPDX-License-Identifier: MIT
// "Resolución": the whole solution of the equation whose results the main window shows, line by
// line, with the roots rounded to the decimals chosen, and the parabola drawn; copied as text,
// saved as a one-page PDF or the graph as a PNG.
#pragma once

#include <QWidget>

#include <functional>
#include <memory>
#include <string_view>

namespace Ui {
class ResolutionWindow;
}

namespace solver {
class Resolution;
}

namespace windows {

class ParabolaView;

class ResolutionWindow : public QWidget {
    Q_OBJECT

public:
    // Shows a text to the user and returns once it has been read; tests replace it.
    using Reporter = std::function<void(const QString&)>;

    explicit ResolutionWindow(QWidget* parent = nullptr);
    ~ResolutionWindow() override;

    // The equation to describe, with the window's decimal separator; nothing before an
    // equation is solved, or after the boxes are emptied.
    void describe(std::shared_ptr<const solver::Resolution> resolution,
                  const QString& decimalSeparator);
    // The lines shown, as "Copiar" copies them.
    QString text() const;
    ParabolaView* graph() const;

    // Writes the page, or the graph, to path; false, with the reason reported, where it could
    // not be written, and then nothing is left at path that was not there before.
    bool savePdf(const QString& path);
    bool saveImage(const QString& path);
    void setErrorReporter(Reporter reporter);

private:
    void showLines();
    void copy();
    // Qt's dialog for a file to save to (caption, name and files are sentences of
    // runtime/texts.h), then save to it.
    void askAndSave(std::string_view caption, std::string_view name, std::string_view files,
                    bool (ResolutionWindow::*save)(const QString&));

    std::unique_ptr<Ui::ResolutionWindow> m_ui;
    std::shared_ptr<const solver::Resolution> m_resolution;
    Reporter m_errorReporter;
};

} // namespace windows
