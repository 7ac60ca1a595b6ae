// SPDX-License-Identifier: MIT
#include "windows/about_window.h"

#include "ui_about_window.h"
#include "windows/design.h"
#include "windows/icons.h"

namespace windows {

AboutWindow::AboutWindow(QWidget* parent) : QWidget(parent), m_ui(new Ui::AboutWindow) {
    m_ui->setupUi(this);
    applyDesignFonts(this);
    removeSizeButtons(this);
    setWindowIcon(aboutIcon());
    // Placed by its client area, as designed: 525, 2025 twips from the screen's corner.
    setGeometry(QRect(QPoint(35, 135), size()));
    connect(m_ui->Command1, &QPushButton::clicked, this, &QWidget::close);
    pressOnReturn(m_ui->Command1);
    closeOnEscape(this);
}

AboutWindow::~AboutWindow() = default;

} // namespace windows
