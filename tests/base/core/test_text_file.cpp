// Local text files: encodings, line ends, lossless saving and whole-or-nothing writes.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <filesystem>

#include "base/core/TextFile.h"

namespace fs = std::filesystem;

namespace {

class TextFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("orv-text-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        ::chmod(dir_.string().c_str(), 0755);
        fs::remove_all(dir_);
    }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    std::string Bytes(const std::string& name) const {
        std::string b;
        orv::ReadWholeFile(Path(name), b);
        return b;
    }
    fs::path dir_;
};

TEST_F(TextFileTest, ReadsEachEncodingAndSplitsEveryLineEnd) {
    // "سلام" in code page 1256, then the same word in each byte-order-marked form.
    const std::string cp = "\xD3\xE1\xC7\xE3";
    auto c = orv::DecodeText(cp + "\r\nb\nc\rd\r\n");
    EXPECT_EQ(c.encoding, orv::TextEncoding::Cp1256);
    EXPECT_EQ(c.lines, (std::vector<std::string>{"سلام", "b", "c", "d"}));

    c = orv::DecodeText("\xEF\xBB\xBFسلام\r\n\r\nx");
    EXPECT_EQ(c.encoding, orv::TextEncoding::Utf8Bom);
    EXPECT_EQ(c.lines, (std::vector<std::string>{"سلام", "", "x"}));

    c = orv::DecodeText(std::string("\xFF\xFE\x33\x06\x0D\x00\x0A\x00", 8));
    EXPECT_EQ(c.encoding, orv::TextEncoding::Utf16LE);
    EXPECT_EQ(c.lines, (std::vector<std::string>{"س"}));

    c = orv::DecodeText(std::string("\xFE\xFF\x06\x33", 4));
    EXPECT_EQ(c.encoding, orv::TextEncoding::Utf16BE);
    EXPECT_EQ(c.lines, (std::vector<std::string>{"س"}));

    EXPECT_TRUE(orv::DecodeText("").lines.empty());
    EXPECT_EQ(orv::DecodeText("a\r\n").lines.size(), 1u);  // a final line break adds no line
}

TEST_F(TextFileTest, EveryByteOfCodePage1256RoundTrips) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        if (b != '\r' && b != '\n') all += static_cast<char>(b);
    const std::string utf8 = orv::Cp1256ToUtf8(all);
    EXPECT_EQ(orv::DecodeText(all).lines.at(0), utf8);
    bool lossless = false;
    EXPECT_EQ(orv::Utf8ToCp1256(utf8, &lossless), all);
    EXPECT_TRUE(lossless);
    EXPECT_EQ(orv::Cp1256ToUtf8("\xC7\xE1\xDD"), "الف");
}

TEST_F(TextFileTest, WritesBackInTheEncodingItWasReadIn) {
    for (const std::string& original :
         {std::string("\xD3\xE1\xC7\xE3\r\nb\r\n"), std::string("\xEF\xBB\xBFسلام\r\nb\r\n"),
          std::string("\xFF\xFE\x33\x06\x0D\x00\x0A\x00", 8)}) {
        ASSERT_TRUE(orv::WriteFileAtomically(Path("f.txt"), original));
        const auto read = orv::ReadTextFile(Path("f.txt"));
        ASSERT_TRUE(read.ok);
        ASSERT_TRUE(orv::WriteTextFile(Path("g.txt"), read.content.lines, read.content.encoding));
        EXPECT_EQ(Bytes("g.txt"), original);
    }
}

TEST_F(TextFileTest, NothingTypedIsLostInCodePage1256) {
    orv::TextEncoding used;
    // Persian yeh and Persian digits take the Windows best fit.
    EXPECT_EQ(orv::EncodeText({"علی ۱۴۰۱"}, orv::TextEncoding::Cp1256, &used), "\xDA\xE1\xED 1401\r\n");
    EXPECT_EQ(used, orv::TextEncoding::Cp1256);
    EXPECT_EQ(orv::EncodeText({"پ چ ژ گ ک ي\u200c"}, orv::TextEncoding::Cp1256, &used),
              "\x81 \x8D \x8E \x90 \x98 \xED\x9D\r\n");
    // A character the code page cannot hold makes the whole file UTF-8 with a byte-order mark.
    const std::string mixed = "Patient ✓ 中";
    EXPECT_EQ(orv::EncodeText({mixed}, orv::TextEncoding::Cp1256, &used), "\xEF\xBB\xBF" + mixed + "\r\n");
    EXPECT_EQ(used, orv::TextEncoding::Utf8Bom);
    ASSERT_TRUE(orv::WriteTextFile(Path("m.txt"), {mixed}));
    EXPECT_EQ(orv::ReadTextFile(Path("m.txt")).content.lines.at(0), mixed);

    bool lossless = true;
    EXPECT_EQ(orv::Utf8ToCp1256("a中b", &lossless), "a?b");
    EXPECT_FALSE(lossless);
    EXPECT_EQ(orv::Cp1256ToUtf8(orv::Utf8ToCp1256("نام بیمار", &lossless)), "نام بيمار");
    EXPECT_TRUE(lossless);
}

TEST_F(TextFileTest, AFailedSaveSaysSoAndKeepsTheEarlierFile) {
    ASSERT_TRUE(orv::WriteTextFile(Path("keep.txt"), {"old"}));
#ifndef _WIN32  // Windows has no read-only folders
    if (::geteuid() != 0) {  // root writes into a read-only folder anyway
        ::chmod(dir_.c_str(), 0555);
        const auto r = orv::WriteTextFile(Path("keep.txt"), {"new"});
        EXPECT_FALSE(r.ok);
        EXPECT_FALSE(r.error.empty());
        ::chmod(dir_.c_str(), 0755);
        EXPECT_EQ(Bytes("keep.txt"), "old\r\n");
    }
#endif
    const auto missing = orv::WriteTextFile(Path("no/such/folder/x.txt"), {"x"});
    EXPECT_FALSE(missing.ok);
    EXPECT_NE(missing.error.find("no/such/folder"), std::string::npos);
    EXPECT_FALSE(orv::ReadTextFile(Path("absent.txt")).ok);
}

TEST_F(TextFileTest, AnUncommittedWriterLeavesNothingBehind) {
    ASSERT_TRUE(orv::WriteFileAtomically(Path("day.txt"), "good archive"));
    {
        orv::AtomicFileWriter w(Path("day.txt"));
        ASSERT_TRUE(w.IsOpen());
        ASSERT_TRUE(w.Write("partial", 7));
    }  // the transfer broke: no commit
    EXPECT_EQ(Bytes("day.txt"), "good archive");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
    orv::AtomicFileWriter w(Path("day.txt"));
    ASSERT_TRUE(w.Write("complete", 8));
    ASSERT_TRUE(w.Commit());
    EXPECT_EQ(Bytes("day.txt"), "complete");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

}  // namespace
