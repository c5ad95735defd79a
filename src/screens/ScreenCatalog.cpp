#include "core/ScreenCatalog.h"

#include "core/PasswordScreen.h"
#include "screens/complaints/ComplaintScreen.h"
#include "screens/complaints/EngineerRegister.h"
#include "screens/complaints/NocPerformanceReport.h"
#include "screens/complaints/OpenComplaintBoard.h"

namespace k7t {

ScreenCatalog programScreens()
{
    using Kind = ScreenEntry::Kind;
    ScreenCatalog screens;
    screens.insert("Form3", {Kind::Child, [](AppContext& app, Navigator& nav) -> QWidget* { return new ComplaintScreen(app, nav); }});
    screens.insert("Form4", {Kind::Child, [](AppContext& app, Navigator& nav) -> QWidget* { return new OpenComplaintBoard(app, nav); }});
    screens.insert("Form6", {Kind::Separate, [](AppContext& app, Navigator&) -> QWidget* { return new NocPerformanceReport(app); }});
    screens.insert("Form7", {Kind::Separate, [](AppContext& app, Navigator&) -> QWidget* { return new EngineerRegister(app); }});
    screens.insert("Form14", {Kind::Separate, [](AppContext& app, Navigator&) -> QWidget* { return new PasswordScreen(app); }});
    return screens;
}

} // namespace k7t
