#pragma once
// The main window's frame for child screens: white, with the program's badge faintly
// in the middle.
#include <QMdiArea>

namespace k7t {

class MdiFrame : public QMdiArea {
    Q_OBJECT
public:
    explicit MdiFrame(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace k7t
