#include "core/ScreenCatalog.h"

#include "core/PasswordScreen.h"
#include "screens/complaints/ComplaintScreen.h"

namespace k7t {

ScreenCatalog programScreens()
{
    ScreenCatalog screens;
    screens.insert("Form3", {ScreenEntry::Kind::Child, [](AppContext& app, Navigator& nav) -> QWidget* { return new ComplaintScreen(app, nav); }});
    screens.insert("Form14", {ScreenEntry::Kind::Separate, [](AppContext& app, Navigator&) -> QWidget* {
                                  return new PasswordScreen(app);
                              }});
    return screens;
}

} // namespace k7t
