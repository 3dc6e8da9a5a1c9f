#pragma once
// Names for the benchmarks' made-up archives, as code page 1256 files hold them
// (Arabic yeh): 10 first names by 17 family names.
namespace orv::bench {

inline const char* const kFirstNames[] = {"محمد", "فاطمه", "علي",  "زهرا", "حسين",
                                          "مريم", "رضا",   "سارا", "مهدي", "نرگس"};
inline const char* const kFamilyNames[] = {"کاظمي", "رضايي", "احمدي",  "کريمي",  "گلي",   "موسوي",
                                           "حسيني", "جعفري", "صادقي",  "نوري",   "رحيمي", "قاسمي",
                                           "اکبري", "شريفي", "يزداني", "تهراني", "باقري"};

}  // namespace orv::bench
