// SPDX-License-Identifier: MIT
// "Acerca de..": who wrote the program and where to find more of it.
#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class AboutWindow;
}

namespace windows {

class AboutWindow : public QWidget {
    Q_OBJECT

public:
    explicit AboutWindow(QWidget* parent = nullptr);
    ~AboutWindow() override;

private:
    std::unique_ptr<Ui::AboutWindow> m_ui;
};

} // namespace windows
