#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <thread>

#include "base/core/TextFile.h"
#include "results/core/ArchiveIndex.h"
#include "results/core/LetterFolding.h"
#include "tests/results/core/ArchiveFolder.h"

using namespace orv::results;

namespace {

class Archive : public orv::test::ArchiveFolder {
protected:
    static std::vector<std::string> Days(const std::vector<ArchiveHit>& hits) {
        std::vector<std::string> days;
        for (const auto& h : hits) days.push_back(h.day + "#" + std::to_string(h.row));
        return days;
    }
};

TEST(LetterFolding, ArabicAndPersianFormsOfOneNameFoldAlike) {
    // Arabic yeh and kaf as code page 1256 files hold them, Persian ones as typed.
    EXPECT_EQ(FoldLetters("\u0639\u0644\u064a \u0643\u0627\u0638\u0645\u064a"), FoldLetters("علی کاظمی"));
    EXPECT_EQ(FoldLetters("\u0641\u0627\u0637\u0645\u0629"), FoldLetters("فاطمه"));
    EXPECT_EQ(FoldLetters("\u0622\u0631\u0634"), FoldLetters("ارش"));
    EXPECT_EQ(FoldLetters("مهدی\u200cزاده"), FoldLetters("مهدیزاده"));  // ZWNJ
    EXPECT_EQ(FoldLetters("مُحَمَّد"), FoldLetters("محمد"));              // short vowels
    EXPECT_EQ(FoldLetters("۱۲۳٤"), "1234");
    EXPECT_EQ(FoldLetters("  Sara \t  Ahmadi "), "sara ahmadi");
    EXPECT_EQ(FoldLetters(""), "");
    EXPECT_EQ(FoldLetters(" \u200c "), "");
    // Bytes that are not UTF-8 survive unchanged rather than vanish.
    EXPECT_EQ(FoldLetters("a\xff" "b"), "a\xff" "b");
}

TEST_F(Archive, FindsANameAcrossDaysNewestFirstWhateverTheLetterForms) {
    Day("14050915", {"1   A1   312   30   \u0639\u0644\u064a \u0631\u0636\u0627\u064a\u064a   FBS=95   ",
                     "2   A2   120   41   مریم کریمی   "});
    Day("14050917", {"1   B1   77   30   زهرا احمدی   ", "", "3   B3   78   51   علی رضایی   Urea=30   "});
    Day("14041230", {"1   C1   5   60   \u0639\u0644\u064a \u0631\u0636\u0627\u064a\u064a   "});
    ArchiveIndex index(root);
    index.Sync();
    EXPECT_EQ(index.DayCount(), 3u);
    EXPECT_EQ(index.PatientCount(), 5u);  // the blank line is no patient

    const auto hits = index.Search("علی رضایی");
    EXPECT_EQ(Days(hits), (std::vector<std::string>{"14050917#3", "14050915#1", "14041230#1"}));
    // Code page 1256 keeps Persian yeh as the Arabic one: names come back as the file holds them.
    EXPECT_EQ(hits[0].name, "\u0639\u0644\u064a \u0631\u0636\u0627\u064a\u064a");
    EXPECT_EQ(hits[0].originCode, "78");
    EXPECT_EQ(hits[0].referenceCode, "B3");
    EXPECT_EQ(hits[0].field, ArchiveField::Name);
    EXPECT_EQ(index.Search("رضایی", 2).size(), 2u);
    EXPECT_TRUE(index.Search("").empty());
    EXPECT_TRUE(index.Search("  ").empty());
    EXPECT_TRUE(index.Search("نیست").empty());
}

TEST_F(Archive, DigitsSearchTheOriginAndReferenceCodes) {
    Day("14050916", {"1   9120   312   30   Sara   ", "2   A2   45   30   Reza 312   ", "3   A3   8   30   Ali   "});
    ArchiveIndex index(root);
    index.Sync();
    const auto hits = index.Search("۳۱۲");  // Persian digits as typed
    ASSERT_EQ(hits.size(), 1u);          // names are not looked at for digits
    EXPECT_EQ(hits[0].row, 1);
    EXPECT_EQ(hits[0].field, ArchiveField::OriginCode);
    const auto both = index.Search("12");  // origin 312 and reference 9120 of one row: one hit
    ASSERT_EQ(both.size(), 1u);
    EXPECT_EQ(both[0].field, ArchiveField::OriginCode);
    const auto reference = index.Search("91");
    ASSERT_EQ(reference.size(), 1u);
    EXPECT_EQ(reference[0].field, ArchiveField::ReferenceCode);
    EXPECT_EQ(Days(index.Search("8")), (std::vector<std::string>{"14050916#3"}));
}

TEST_F(Archive, CodesWithLettersAreFoundWhateverTheirCase) {
    Day("14050918", {"1   TRV0054321   312   30   Sara   ", "2   A2   trv77   30   Trv Ahmadi   ",
                     "3   B3   9   30   Ali   "});
    ArchiveIndex index(root);
    index.Sync();
    for (const char* typed : {"TRV0054321", "trv0054321", "Trv005"}) {
        const auto hits = index.Search(typed);
        ASSERT_EQ(hits.size(), 1u) << typed;
        EXPECT_EQ(hits[0].row, 1);
        EXPECT_EQ(hits[0].field, ArchiveField::ReferenceCode);
    }
    // Row 2 matches by name and by origin code: listed once, as the name it was found by.
    const auto both = index.Search("TRV");
    EXPECT_EQ(Days(both), (std::vector<std::string>{"14050918#1", "14050918#2"}));
    EXPECT_EQ(both[1].field, ArchiveField::Name);
    EXPECT_EQ(Days(index.Search("trv", 1)), (std::vector<std::string>{"14050918#1"}));
    EXPECT_EQ(Days(index.Search("ali")), (std::vector<std::string>{"14050918#3"}));
}

TEST_F(Archive, KeptCurrentAsDaysAreDownloadedReplacedOrRemoved) {
    Day("14050910", {"1   A1   1   30   Sara   "});
    ArchiveIndex index(root);
    index.Sync();
    EXPECT_EQ(index.Search("reza").size(), 0u);
    Day("14050911", {"1   A1   2   30   Reza   "});
    index.UpdateDay("14050911");
    EXPECT_EQ(Days(index.Search("reza")), (std::vector<std::string>{"14050911#1"}));
    Day("14050910", {"1   A1   1   30   Reza Sara   "});  // replaced by a later download
    index.UpdateDay("14050910");
    EXPECT_EQ(Days(index.Search("reza")), (std::vector<std::string>{"14050911#1", "14050910#1"}));
    std::filesystem::remove(root + "14050911.txt");  // a failed download removes the day's file
    index.UpdateDay("14050911");
    EXPECT_EQ(Days(index.Search("reza")), (std::vector<std::string>{"14050910#1"}));
    EXPECT_EQ(index.DayCount(), 1u);
    EXPECT_EQ(index.Sync(), 0u);  // the days read one by one need no reading at the next start
}

TEST_F(Archive, OnlyDayFilesAreIndexedAndAStopKeepsWhatWasRead) {
    Day("14050910", {"1   A1   1   30   Sara   "});
    Day("1405091", {"1   A1   1   30   Sara   "});
    Day("check", {"17"});
    Day("1405091x", {"1   A1   1   30   Sara   "});
    std::filesystem::create_directory(root + "14050911.txt");
    EXPECT_EQ(ArchiveIndex::ArchivedDays(root), (std::vector<std::string>{"14050910"}));
    EXPECT_TRUE(ArchiveIndex::IsArchiveFileName("00000000.txt"));
    EXPECT_FALSE(ArchiveIndex::IsArchiveFileName("14050910.TXT"));
    EXPECT_TRUE(ArchiveIndex::ArchivedDays(root + "missing/").empty());

    std::atomic<bool> stop{true};
    ArchiveIndex index(root);
    EXPECT_EQ(index.Sync({}, &stop), 0u);
    EXPECT_EQ(index.DayCount(), 0u);
    EXPECT_EQ(index.Sync(), 1u);
    ArchiveIndex other(root);  // another connection (the window's worker, a command) sees it
    EXPECT_EQ(other.Search("sara").size(), 1u);
}

TEST_F(Archive, UnreadableOrOddFilesLoseNothingElse) {
    Day("14050910", {"1   A1   1   30   Sara   "});
    // A UTF-8 file with a byte-order mark, a file with a line of fifty fields, and binary junk.
    {
        std::ofstream(root + "14050911.txt", std::ios::binary) << "\xEF\xBB\xBF" "1   A1   1   30   Sara Ω   \r\n";
        std::string wide;
        for (int i = 0; i < 60; ++i) wide += "f" + std::to_string(i) + "   ";
        std::ofstream(root + "14050912.txt", std::ios::binary) << wide;
        std::ofstream(root + "14050913.txt", std::ios::binary) << std::string("\0\x01\xff\xfe\x80   ", 9);
    }
    ArchiveIndex index(root);
    index.Sync();
    EXPECT_EQ(Days(index.Search("sara")), (std::vector<std::string>{"14050911#1", "14050910#1"}));
    EXPECT_EQ(Days(index.Search("f4")), (std::vector<std::string>{"14050912#1"}));
}

}  // namespace

namespace {

// The index answers as a command does: made anew and read again when it was found damaged on the way.
std::vector<ArchiveHit> Ask(ArchiveIndex& index, const char* text) {
    auto hits = index.Search(text);
    if (index.NeedsSync()) {
        index.Sync();
        hits = index.Search(text);
    }
    return hits;
}

TEST_F(Archive, AStartWithNothingChangedReadsNoDayFile) {
    for (int d = 10; d < 20; ++d) Day("140509" + std::to_string(d), {"1   A1   " + std::to_string(d) + "   30   Sara   "});
    EXPECT_EQ(ArchiveIndex(root).Sync(), 10u);
    ArchiveIndex index(root);
    EXPECT_EQ(index.Sync(), 0u);
    EXPECT_EQ(index.Search("sara").size(), 10u);
    Day("14050912", {"1   A1   12   30   Reza   "});  // replaced: another size
    std::filesystem::remove(root + "14050913.txt");
    EXPECT_EQ(index.Sync(), 1u);
    EXPECT_EQ(index.Search("sara").size(), 8u);
    EXPECT_EQ(index.DayCount(), 9u);
    const auto perms = std::filesystem::status(root + ArchiveIndex::kFileName).permissions();
    EXPECT_EQ(perms & (std::filesystem::perms::group_all | std::filesystem::perms::others_all),
              std::filesystem::perms::none);
}

TEST_F(Archive, ADamagedOrOlderIndexIsMadeAgainFromTheFiles) {
    const std::string path = root + ArchiveIndex::kFileName;
    const std::function<void()> damages[] = {
        [&] { std::filesystem::resize_file(path, std::filesystem::file_size(path) / 2); },
        [&] { std::filesystem::resize_file(path, 100); },
        [&] { std::filesystem::resize_file(path, 0); },
        [&] { std::ofstream(path, std::ios::binary | std::ios::in) << std::string(4096, '\x5a'); },
        [&] { std::filesystem::remove(path); },
        [&] {  // an older layout
            sqlite3* db = nullptr;
            sqlite3_open(path.c_str(), &db);
            sqlite3_exec(db, "PRAGMA user_version = 0", nullptr, nullptr, nullptr);
            sqlite3_close(db);
        },
    };
    for (int d = 10; d < 40; ++d)
        Day("140509" + std::to_string(d), {"1   A1   " + std::to_string(d) + "   30   Sara   ", "2   B   7   1   Ali   "});
    for (size_t i = 0; i < std::size(damages); ++i) {
        SCOPED_TRACE(i);
        ArchiveIndex(root).Sync();
        damages[i]();
        ArchiveIndex index(root);
        index.Sync();
        EXPECT_EQ(Ask(index, "sara").size(), 30u);
        EXPECT_EQ(Ask(index, "ali").size(), 30u);
        EXPECT_FALSE(index.InMemory());
    }
}

// The window's worker reads the archive while the window (or a command run
// from a timer) reads a downloaded day and searches on its own connection.
TEST_F(Archive, TwoConnectionsAtOnceShareOneIndex) {
    for (int d = 0; d < 30; ++d) {
        char day[16];
        std::snprintf(day, sizeof day, "1405%02d%02d", 1 + d / 30, 1 + d % 30);
        Day(day, {"1   A1   " + std::to_string(d) + "   30   Sara   ", "2   B1   9   30   Ali   "});
    }
    ArchiveIndex window(root);
    std::thread worker([this] { ArchiveIndex(root).Sync(); });
    for (int i = 0; i < 10; ++i) {
        Day("14060101", {"1   N1   1   30   Sara " + std::to_string(i) + "   "});
        window.UpdateDay("14060101");
        window.Search("sara");
    }
    worker.join();
    EXPECT_EQ(window.Sync(), 0u);
    EXPECT_EQ(window.Search("sara").size(), 31u);
    EXPECT_EQ(window.Search("sara 9").size(), 1u);
}

}  // namespace
