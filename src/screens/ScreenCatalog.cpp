#include "core/ScreenCatalog.h"

#include "screens/complaints/ComplaintScreen.h"

namespace k7t {

ScreenCatalog programScreens()
{
    ScreenCatalog screens;
    screens.insert("Form3", {ScreenEntry::Kind::Child, [](AppContext& app, Navigator& nav) -> QWidget* { return new ComplaintScreen(app, nav); }});
    return screens;
}

} // namespace k7t
