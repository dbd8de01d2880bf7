// Colours and fonts of the framework. A colour is 0x00BBGGRR or a system colour
// (0x80000000 + the system colour index); a font is a persistent object whose handle is made
// when first asked for and remade after a change.
#pragma once

#include "platform/framework/Component.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

namespace fw {

using TColor = std::uint32_t;
inline constexpr TColor clSystemColor = 0x80000000u;
inline constexpr TColor clBtnFace = clSystemColor | COLOR_BTNFACE;
inline constexpr TColor clWindow = clSystemColor | COLOR_WINDOW;
inline constexpr TColor clWindowText = clSystemColor | COLOR_WINDOWTEXT;
inline constexpr TColor clBtnText = clSystemColor | COLOR_BTNTEXT;
inline constexpr TColor clGrayText = clSystemColor | COLOR_GRAYTEXT;
inline constexpr TColor clBtnHighlight = clSystemColor | COLOR_BTNHIGHLIGHT;
inline constexpr TColor clBtnShadow = clSystemColor | COLOR_BTNSHADOW;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;

// The RGB value of a colour, system colours looked up now.
COLORREF ColorToRGB(TColor color);

// The pixels per inch the framework lays out for.
inline constexpr int kDesignPixelsPerInch = 96;

class TFont : public TPersistent {
public:
    TFont();
    ~TFont() override;
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;

    const TClassInfo& ClassInfo() const override;
    static const TClassInfo& StaticClassInfo();

    void Assign(const TFont& other);

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    // Height in pixels: negative for the character height, as the Windows API takes it.
    std::int64_t Height() const { return height_; }
    void SetHeight(std::int64_t height);
    // Size in points at the design resolution.
    int Size() const;
    void SetSize(int points);
    std::int64_t Charset() const { return charset_; }
    void SetCharset(std::int64_t charset);
    TColor Color() const { return color_; }
    void SetColor(std::int64_t color);
    bool Bold() const { return bold_; }
    void SetBold(bool bold);

    HFONT Handle() const;
    // Called after every change (parents pass their font on to children).
    std::function<void()> OnChange;

    bool operator==(const TFont& other) const;

private:
    void Changed();

    std::string name_ = "MS Sans Serif";
    std::int64_t height_ = -11;
    std::int64_t charset_ = DEFAULT_CHARSET;
    TColor color_ = clWindowText;
    bool bold_ = false;
    mutable HFONT handle_ = nullptr;
};

} // namespace fw
