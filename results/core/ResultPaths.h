#pragma once
// Names of a day's result file: the compact date YYYYMMDD + ".txt", the same
// on the server (in the laboratory's folder) and in the workspace.
#include <string>
#include <string_view>

namespace orv::results {

// Characters 1-4, 6-7 and 9-10 of a date text such as 1401/06/30 (fewer for a
// shorter text).
std::string CompactDate(std::string_view dateText);
std::string ResultFileName(std::string_view compactDate);
// "/Text Result/" + code + "/" + the file name.
std::string RemoteResultPath(std::string_view folderCode, std::string_view compactDate);
// `root` ends with its separator; the file sits directly in it.
std::string LocalResultPath(std::string_view root, std::string_view compactDate);

// The server has no file for the day: no sample of this laboratory was sent yet.
inline constexpr const char* kNoSampleYet = ". در اين تاريخ نمونه اي از آزمايشگاه شما هنوز ارسال نگرديده";

}  // namespace orv::results
