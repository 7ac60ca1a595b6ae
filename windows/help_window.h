// SPDX-License-Identifier: MIT
// "Ayuda": what a, b and c stand for.
#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class HelpWindow;
}

namespace windows {

class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);
    ~HelpWindow() override;

private:
    std::unique_ptr<Ui::HelpWindow> m_ui;
};

} // namespace windows
