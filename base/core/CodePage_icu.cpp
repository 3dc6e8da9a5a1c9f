// Code page conversions on ICU (Linux).
#include <unicode/uchar.h>
#include <unicode/ucnv.h>
#include <unicode/ustring.h>

#include <memory>

#include "base/core/CodePage.h"

namespace orv {
namespace {

struct ConverterDeleter {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterDeleter>;

// ICU's converter for a Windows code page number: "windows-N", else "ibm-N".
Converter Open(int codePage) {
    std::string names[2];
    if (codePage == kCodePageUtf16LE)
        names[0] = "UTF-16LE";
    else if (codePage == kCodePageUtf16BE)
        names[0] = "UTF-16BE";
    else
        names[0] = "windows-" + std::to_string(codePage), names[1] = "ibm-" + std::to_string(codePage);
    for (const std::string& name : names) {
        if (name.empty()) continue;
        UErrorCode status = U_ZERO_ERROR;
        Converter c(ucnv_open(name.c_str(), &status));
        if (U_SUCCESS(status) && c) return c;
    }
    return nullptr;
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view s) {
    if (s.empty()) return {};
    std::u16string out(s.size() + 1, u'\0');
    int32_t n = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &n, s.data(), static_cast<int32_t>(s.size()),
                         0xFFFD, nullptr, &status);
    out.resize(U_SUCCESS(status) ? static_cast<size_t>(n) : 0);
    return out;
}

std::string Utf16ToUtf8(std::u16string_view s) {
    if (s.empty()) return {};
    std::string out(s.size() * 3 + 1, '\0');
    int32_t n = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strToUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &n, s.data(), static_cast<int32_t>(s.size()),
                       0xFFFD, nullptr, &status);
    out.resize(U_SUCCESS(status) ? static_cast<size_t>(n) : 0);
    return out;
}

bool DecodeCodePage(int codePage, std::string_view bytes, std::u16string& out) {
    out.clear();
    Converter c = Open(codePage);
    if (!c) return false;
    if (bytes.empty()) return true;
    out.assign(bytes.size() * 2 + 2, u'\0');
    UErrorCode status = U_ZERO_ERROR;
    const int32_t n = ucnv_toUChars(c.get(), out.data(), static_cast<int32_t>(out.size()), bytes.data(),
                                    static_cast<int32_t>(bytes.size()), &status);
    if (U_FAILURE(status)) {
        out.clear();
        return false;
    }
    out.resize(static_cast<size_t>(n));
    return true;
}

bool EncodeCodePage(int codePage, std::u16string_view text, std::string& out, bool substitute) {
    out.clear();
    Converter c = Open(codePage);
    if (!c) return false;
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setFallback(c.get(), true);
    if (substitute)
        ucnv_setSubstChars(c.get(), "?", 1, &status);
    else
        ucnv_setFromUCallBack(c.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    if (text.empty()) return U_SUCCESS(status);
    out.resize(text.size() * 4 + 4);
    const int32_t n = ucnv_fromUChars(c.get(), out.data(), static_cast<int32_t>(out.size()), text.data(),
                                      static_cast<int32_t>(text.size()), &status);
    if (U_FAILURE(status)) {
        out.clear();
        return false;
    }
    out.resize(static_cast<size_t>(n));
    return true;
}

int DecimalDigitValue(char32_t cp) {
    const auto c = static_cast<UChar32>(cp);
    return u_charType(c) == U_DECIMAL_DIGIT_NUMBER ? u_charDigitValue(c) : -1;
}

}  // namespace orv
