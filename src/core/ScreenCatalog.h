#pragma once
// The program's screens by form name ("Form3"); the main window's menu opens them.
#include <QHash>
#include <QString>
#include <functional>

class QWidget;

namespace k7t {

class AppContext;
class Navigator;

struct ScreenEntry {
    enum class Kind { Child, Separate }; // inside the main window, maximised; or a window of its own
    Kind kind = Kind::Child;
    std::function<QWidget*(AppContext&, Navigator&)> create;
};

// Screens that exist; a menu item whose form has no entry stays disabled.
using ScreenCatalog = QHash<QString, ScreenEntry>;

// Screens open other screens through this (a board's BACK, a screen's own buttons).
class Navigator {
public:
    virtual ~Navigator() = default;
    // Shows the screen `form` ("Form4"): brings it to the front when it is open, opens
    // it afresh otherwise. Null when the program has no such screen.
    virtual QWidget* openScreen(const QString& form) = 0;

    // Closes `screen` (with its frame inside the main window) and shows `form` in its place.
    QWidget* switchScreen(QWidget* screen, const QString& form);
};

// Every screen of the program.
ScreenCatalog programScreens();

} // namespace k7t
