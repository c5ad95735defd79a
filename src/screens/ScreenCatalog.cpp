#include "core/ScreenCatalog.h"

namespace k7t {

ScreenCatalog programScreens()
{
    ScreenCatalog screens;
    return screens;
}

} // namespace k7t
