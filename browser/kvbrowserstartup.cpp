#include "browser/kvbrowserstartup.h"

KvStartup::Result KvBrowserStartup::Configure(KvStartup& startup, const std::vector<std::string>& parameters)
{
    const KvStartup::Result result = startup.Configure(parameters);
    if (result == KvStartup::Result::Ready && startup.Version3InForce())
        for (const std::string& parameter : parameters)
            startup.ApplyParameter(parameter);
    return result;
}
