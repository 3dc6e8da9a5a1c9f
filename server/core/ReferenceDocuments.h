#pragma once
// Where the central laboratory keeps its reference documents, and where each
// is kept in the workspace.
#include <cstdint>
#include <string>
#include <string_view>

#include "base/core/RemotePath.h"

namespace orv::docs {

struct Place {
    const char* remote;     // source on the server
    const char* localName;  // file name in the workspace root
    int64_t max;            // progress maximum of its download
};

inline constexpr Place kRecommendation{"/Help Files/LastRecommendation.rtf", "LastRecommendation.rtf", 20000};
inline constexpr Place kPaymentRules{"/Text Result/PaymentLaw.rtf", "paymentlaw.rtf", 900};
inline constexpr Place kNormalValues{"/Help Files/LastNormalValue.rtf", "LastNormalValue.rtf", 600000};
inline constexpr Place kTestPrices{"/Help Files/LastPriceOfTests.txt", "LastPriceOfTests.txt", 600000};

// The folder of help files that the "Download Files" list shows.
inline constexpr const char* kHelpFolder = "/Help Files";
// A listed help file on the server: the folder, then the name as listed.
inline std::string HelpFilePath(std::string_view listedName) { return remote::Path({remote::kHelpFiles, listedName}); }

}  // namespace orv::docs
