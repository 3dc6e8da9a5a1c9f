#pragma once
// Today's solar date from the time server's answer, as the network check takes it.
#include <string>

#include "server/core/SntpClient.h"

namespace orv {

// The local calendar day of the answer's time as a solar date text YYYY/MM/DD;
// empty for an answer that is no valid time or a clock before 1397 (a server
// that lost its date), both of which count as no network.
std::string SolarToday(const SntpAnswer& answer);

}  // namespace orv
