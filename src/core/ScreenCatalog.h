#pragma once
// The working screens the main window's menu opens, by menu item name.
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

// Screens that exist; an item without an entry stays disabled.
using ScreenCatalog = QHash<QString, ScreenEntry>;

// Screens open other screens through this (a board's BACK, a screen's own buttons).
class Navigator {
public:
    virtual ~Navigator() = default;
    // Shows the screen of `key` (a menu item name or a form name): brings it to the
    // front when it is open, opens it afresh otherwise. Null when there is no such screen.
    virtual QWidget* openScreen(const QString& key) = 0;
};

// Every screen of the program.
ScreenCatalog programScreens();

} // namespace k7t
