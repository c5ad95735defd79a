#include "core/ScreenCatalog.h"

#include "core/PasswordScreen.h"

namespace k7t {

ScreenCatalog programScreens()
{
    ScreenCatalog screens;
    screens.insert("Form14", {ScreenEntry::Kind::Separate, [](AppContext& app, Navigator&) -> QWidget* {
                                  return new PasswordScreen(app);
                              }});
    return screens;
}

} // namespace k7t
