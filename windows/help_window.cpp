// SPDX-License-Identifier: MIT
#include "windows/help_window.h"

#include "ui_help_window.h"
#include "windows/design.h"

namespace windows {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent), m_ui(new Ui::HelpWindow) {
    m_ui->setupUi(this);
    applyDesignFonts(this);
    // The four labels are sized to their text, whatever face stands in for the design's.
    for (QLabel* label : {m_ui->Label1, m_ui->Label2, m_ui->Label3, m_ui->Label4})
        label->adjustSize();
    connect(m_ui->Command1, &QPushButton::clicked, this, &QWidget::close);
    pressOnReturn(m_ui->Command1);
    closeOnEscape(this);
}

HelpWindow::~HelpWindow() = default;

} // namespace windows
