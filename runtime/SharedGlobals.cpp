#include "runtime/SharedGlobals.h"

#include "runtime/ReplaceTitleObject.h"
#include "settings/StringHelpers.h"

namespace {

TUILocale& Current()
{
    static TUILocale settings;
    return settings;
}

enum : std::uint16_t {
    kArabic = 1, kChinese = 4, kCzech = 5, kGerman = 7, kGreek = 8, kSpanish = 10, kFrench = 12, kHebrew = 13,
    kHungarian = 14, kJapanese = 17, kKorean = 18, kPolish = 21, kRussian = 25, kCroatianSerbian = 26, kSlovak = 27,
    kThai = 30, kTurkish = 31, kEstonian = 37, kLatvian = 38, kLithuanian = 39, kVietnamese = 42,
};

std::uint8_t CharsetFor(std::uint16_t primary, std::uint16_t sub)
{
    switch (primary) {
    case kArabic: return 178;
    case kChinese: return sub == 1 ? 136 : sub == 2 ? 134 : 1;
    case kCzech: case kHungarian: case kPolish: case kCroatianSerbian: case kSlovak: return 238;
    case kGreek: return 161;
    case kHebrew: return 177;
    case kJapanese: return 128;
    case kKorean: return 129;
    case kRussian: return 204;
    case kThai: return 222;
    case kTurkish: return 162;
    case kEstonian: case kLatvian: case kLithuanian: return 186;
    case kVietnamese: return 163;
    default: return 1;
    }
}

// The faces in the native script, as bytes of that language's code page.
std::string FaceFor(std::uint16_t primary, std::uint16_t sub)
{
    switch (primary) {
    case kChinese:
        if (sub == 1) return "\xB7\x73\xB2\xD3\xA9\xFA\xC5\xE9";
        if (sub == 2) return "\xCB\xCE\xCC\xE5";
        return kNoFontFaceOverride;
    case kGerman: case kSpanish: case kFrench: return "Arial";
    case kJapanese: return "\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E";
    case kKorean: return "\xB1\xBC\xB8\xB2";
    case kThai: return "Arial Unicode MS";
    default: return kNoFontFaceOverride;
    }
}

} // namespace

TUILocale UILocaleFor(std::uint16_t languageId)
{
    const std::uint16_t primary = languageId & 0x3FF;
    const std::uint16_t sub = languageId >> 10;
    TUILocale locale;
    locale.Charset = CharsetFor(primary, sub);
    locale.Japanese = locale.Charset == 128;
    locale.Korean = locale.Charset == 129;
    locale.SimplifiedChinese = locale.Charset == 134;
    locale.TraditionalChinese = locale.Charset == 136;
    locale.Hebrew = locale.Charset == 177;
    try {
        locale.FontFaceOverride = FaceFor(primary, sub);
    } catch (...) {
        locale.FontFaceOverride = kNoFontFaceOverride;
    }
    return locale;
}

const TUILocale& UISettings() { return Current(); }

void InitSharedGlobals(std::uint16_t languageId) { Current() = UILocaleFor(languageId); }

void DoneSharedGlobals() { Current() = TUILocale{}; }

std::string ApplyFontFaceOverride(const std::string& face)
{
    return UIFontFaceOverride() == kNoFontFaceOverride ? face : UIFontFaceOverride();
}

std::string TranslateText(const std::string& text)
{
    const TQXReplaceTitleObject* replacer = ReplaceTitleObject();
    return ReplaceNewLine2(ReplaceNewLine(replacer ? replacer->ReplaceTitles(text) : text));
}

std::string TranslateFormat(const std::string& format, const std::vector<fw::TVarRec>& values)
{
    return fw::Format(TranslateText(format), values);
}
