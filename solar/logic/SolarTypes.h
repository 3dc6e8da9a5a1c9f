#pragma once
// Enumerations and small records shared by the calendar components. Values keep
// their declared order: stored settings and the colour table index by them.
#include <cstdint>

#include "solar/core/TPublicUtils.h"

enum TMonthObject : uint8_t { moPopupMenu, moComboBox, moNone };
enum TMonthPosition : uint8_t { mpBottomRight, mpBottomCenter, mpRightYear, mpLeftYear };
enum TMonthCaption : uint8_t { mcSaturday, mcSunday, mcMonday, mcTuesday, mcWednesday, mcThursday, mcFriday };
enum TDataFieldType : uint8_t { dftSolar, dftGregorian };
enum TColorStyle : uint8_t {
    csCustom, csPinkPink, csBlueBlue, csWhiteGray, csWhiteOrange, csWhiteRed, csWhiteWhite, csWhiteBlack
};
enum TButtonStyle : uint8_t { bsRound, bsRectangular };
enum TButtonType : uint8_t { btLeftYear, btRightYear, btLayout, btLeftMonth, btRightMonth };
enum TDivider : uint8_t { dSlash, dBackSlash, dLine, dUnderScore, dDot, dComma };
enum TGlyphType : uint8_t { gtBlackArrowDown, gtCalendar, gtBlueArrowDown, gtGreenArrowDown };
enum TMonthType : uint8_t { mtNumeral, mtAlphabet };
enum TFormat : uint8_t { fLong, fShort };

// A set of week days, one bit each, mcSaturday lowest.
class TMonthCaptionSet {
public:
    constexpr TMonthCaptionSet() = default;
    constexpr explicit TMonthCaptionSet(uint8_t bits) : FBits(bits & 0x7F) {}
    static constexpr TMonthCaptionSet All() { return TMonthCaptionSet(0x7F); }
    constexpr bool Contains(TMonthCaption day) const { return (FBits >> day) & 1U; }
    constexpr TMonthCaptionSet With(TMonthCaption day) const { return TMonthCaptionSet(FBits | (1U << day)); }
    constexpr TMonthCaptionSet Without(TMonthCaption day) const {
        return TMonthCaptionSet(FBits & ~(1U << day));
    }
    constexpr uint8_t Bits() const { return FBits; }
    friend constexpr bool operator==(TMonthCaptionSet, TMonthCaptionSet) = default;

private:
    uint8_t FBits = 0;
};

struct TCell {
    int32_t Col = -1;
    int32_t Row = -1;
    friend constexpr bool operator==(const TCell&, const TCell&) = default;
};

// The character a divider choice stands for.
char DividerChar(TDivider divider);
