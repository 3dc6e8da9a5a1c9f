#pragma once
// Where the central laboratory keeps its files on its FTP server. A path on the
// wire is absolute and separated by "/" only: every FTP server takes "/" as the
// folder separator (a Windows server as well), while a Unix server takes "\" for
// a letter of a name. Each folder has one spelling, the one the laboratory
// publishes, so a server whose names are case-sensitive finds it.
//
//   remote::Path({remote::kResults, "12", "14050917.txt"})  // "/Text Result/12/14050917.txt"
#include <initializer_list>
#include <string>
#include <string_view>

namespace orv::remote {

inline constexpr std::string_view kResults = "Text Result";    // a folder per laboratory, and PaymentLaw.rtf
inline constexpr std::string_view kHelpFiles = "Help Files";   // reference documents and help files
inline constexpr std::string_view kScreening = "PDF Calvexa";  // screening reports
inline constexpr std::string_view kPcr = "PCR";                // PCR reports
inline constexpr std::string_view kExports = "Res";            // in a laboratory's folder: worklists sent
inline constexpr std::string_view kComments = "comments";      // in a laboratory's folder: messages sent
inline constexpr std::string_view kPayments = "pay";           // "pay/may": payment markers
inline constexpr std::string_view kPaymentMarkers = "may";

// "/" followed by the parts joined with "/".
inline std::string Path(std::initializer_list<std::string_view> parts) {
    std::string path;
    for (const std::string_view part : parts) {
        path += '/';
        path += part;
    }
    return path.empty() ? std::string("/") : path;
}

}  // namespace orv::remote
