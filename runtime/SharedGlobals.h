// Process-wide UI settings that follow the system's locale: the font character set, the
// language flags and the font face that replaces the designed one; and the UI text pipeline
// the library's messages and captions pass through.
#pragma once

#include "platform/framework/SysUtils.h"

#include <cstdint>
#include <string>
#include <vector>

inline constexpr const char* kNoFontFaceOverride = "NULL";

struct TUILocale {
    std::uint8_t Charset = 1;  // DEFAULT_CHARSET
    bool Japanese = false, Korean = false, SimplifiedChinese = false, TraditionalChinese = false, Hebrew = false;
    std::string FontFaceOverride = kNoFontFaceOverride;

    bool operator==(const TUILocale&) const = default;
};

// The settings for a language identifier (primary language in the low 10 bits, sub-language above).
TUILocale UILocaleFor(std::uint16_t languageId);

// The values the start-up hook chose; DEFAULT_CHARSET, no flags and "NULL" before it ran.
const TUILocale& UISettings();
inline std::uint8_t UICharset() { return UISettings().Charset; }
inline const std::string& UIFontFaceOverride() { return UISettings().FontFaceOverride; }

// Start-up hook of the shared globals: chooses the values from the system's default locale.
void InitSharedGlobals();
void InitSharedGlobals(std::uint16_t languageId);
// Shut-down hook: releases the texts.
void DoneSharedGlobals();

// The override face, unless there is none ("NULL"): then the face unchanged.
std::string ApplyFontFaceOverride(const std::string& face);

// Caption replacement, then the "<\n>" and "</n>" markers become line breaks.
std::string TranslateText(const std::string& text);
// TranslateText of the format, then the values put into its placeholders.
std::string TranslateFormat(const std::string& format, const std::vector<fw::TVarRec>& values);
