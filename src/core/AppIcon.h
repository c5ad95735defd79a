#pragma once
// The program's window icon and the main window's background, drawn at run time.
#include <QBrush>
#include <QIcon>

namespace k7t {
QIcon appIcon();
QBrush appBackground();
}
