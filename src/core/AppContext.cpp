#include "core/AppContext.h"

namespace k7t {

AppContext::AppContext(Settings settings, std::unique_ptr<Dialogs> dialogs)
    : settings_(std::move(settings)), dialogs_(std::move(dialogs))
{
    setDatabase(DatabaseConfig::fromSettings(settings_));
}

void AppContext::setDatabase(const DatabaseConfig& config)
{
    database_ = config;
    database_.clock = &clock_;
}

} // namespace k7t
