// The site address module's initialisation and shutdown: web.dat is read before anything
// else of the program runs, and ChannelAddress is emptied when the program ends.
#include "app/core/site_addresses.h"

namespace {
struct SiteAddressModule {
    SiteAddressModule() { LoadSiteAddresses(); }
    ~SiteAddressModule() { ReleaseSiteAddresses(); }
} siteAddressModule;
}  // namespace
