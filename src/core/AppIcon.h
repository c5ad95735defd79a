#pragma once
// The program's window icon, drawn at run time.
#include <QIcon>

namespace k7t {
QIcon appIcon();
}
