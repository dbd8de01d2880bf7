#include "platform/framework/Graphics.h"

namespace fw {

COLORREF ColorToRGB(TColor color)
{
    if (color & clSystemColor) return GetSysColor(static_cast<int>(color & 0xFF));
    return color & 0x00FFFFFF;
}

const TClassInfo& TFont::StaticClassInfo()
{
    static const TClassInfo info = [] {
        TClassInfo c{"TFont", &TPersistent::StaticClassInfo()};
        c.Properties.push_back(Prop<std::int64_t>("Charset", TPropertyType::Integer, &TFont::Charset, &TFont::SetCharset,
                                                  std::int64_t{DEFAULT_CHARSET}));
        c.Properties.push_back(
            Prop<std::int64_t>("Color", TPropertyType::Integer, &TFont::Color, &TFont::SetColor, std::int64_t{clWindowText}));
        c.Properties.push_back(Prop<std::int64_t>("Height", TPropertyType::Integer, &TFont::Height, &TFont::SetHeight));
        c.Properties.push_back(Prop<std::string>("Name", TPropertyType::String, &TFont::Name, &TFont::SetName));
        c.Properties.push_back(Prop<bool>("Bold", TPropertyType::Boolean, &TFont::Bold, &TFont::SetBold, false));
        return c;
    }();
    return info;
}

const TClassInfo& TFont::ClassInfo() const { return StaticClassInfo(); }

TFont::TFont() = default;

TFont::~TFont()
{
    if (handle_) DeleteObject(handle_);
}

void TFont::Assign(const TFont& other)
{
    name_ = other.name_;
    height_ = other.height_;
    charset_ = other.charset_;
    color_ = other.color_;
    bold_ = other.bold_;
    Changed();
}

void TFont::SetName(const std::string& name)
{
    if (name == name_) return;
    name_ = name;
    Changed();
}

void TFont::SetHeight(std::int64_t height)
{
    if (height == height_) return;
    height_ = height;
    Changed();
}

int TFont::Size() const { return static_cast<int>(-MulDiv(static_cast<int>(height_), 72, kDesignPixelsPerInch)); }
void TFont::SetSize(int points) { SetHeight(-MulDiv(points, kDesignPixelsPerInch, 72)); }

void TFont::SetCharset(std::int64_t charset)
{
    if (charset == charset_) return;
    charset_ = charset;
    Changed();
}

void TFont::SetColor(std::int64_t color)
{
    if (static_cast<TColor>(color) == color_) return;
    color_ = static_cast<TColor>(color);
    Changed();
}

void TFont::SetBold(bool bold)
{
    if (bold == bold_) return;
    bold_ = bold;
    Changed();
}

HFONT TFont::Handle() const
{
    if (!handle_) {
        LOGFONTA font{};
        font.lfHeight = static_cast<LONG>(height_);
        font.lfWeight = bold_ ? FW_BOLD : FW_NORMAL;
        font.lfCharSet = static_cast<BYTE>(charset_);
        font.lfOutPrecision = OUT_DEFAULT_PRECIS;
        font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        font.lfQuality = DEFAULT_QUALITY;
        font.lfPitchAndFamily = DEFAULT_PITCH;
        lstrcpynA(font.lfFaceName, name_.c_str(), LF_FACESIZE);
        handle_ = CreateFontIndirectA(&font);
    }
    return handle_;
}

bool TFont::operator==(const TFont& other) const
{
    return name_ == other.name_ && height_ == other.height_ && charset_ == other.charset_ && color_ == other.color_ &&
           bold_ == other.bold_;
}

void TFont::Changed()
{
    if (handle_) {
        DeleteObject(handle_);
        handle_ = nullptr;
    }
    if (OnChange) OnChange();
}

} // namespace fw
