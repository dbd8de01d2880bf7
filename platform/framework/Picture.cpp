#include "platform/framework/Picture.h"

#include "platform/framework/Exception.h"

#include <cstring>

namespace fw {

const TClassInfo& TPicture::StaticClassInfo()
{
    static const TClassInfo info = [] {
        TClassInfo c{"TPicture", &TPersistent::StaticClassInfo()};
        c.Properties = {Prop<TBinary>("Data", TPropertyType::Binary, &TPicture::Data, &TPicture::SetData)};
        c.Properties[0].Stored = [](const TPersistent& self) { return static_cast<const TPicture&>(self).HasGraphic(); };
        return c;
    }();
    return info;
}
const TClassInfo& TPicture::ClassInfo() const { return StaticClassInfo(); }

TPicture::~TPicture()
{
    if (bitmap_) DeleteObject(bitmap_);
}

void TPicture::SetBitmap(HBITMAP bitmap)
{
    if (bitmap_ && bitmap_ != bitmap) DeleteObject(bitmap_);
    bitmap_ = bitmap;
    width_ = height_ = 0;
    BITMAP info{};
    if (bitmap_ && GetObjectA(bitmap_, sizeof info, &info)) {
        width_ = info.bmWidth;
        height_ = info.bmHeight;
    }
    Changed();
}

void TPicture::Assign(const TPicture& other)
{
    if (&other == this) return;
    SetBitmap(other.bitmap_ ? static_cast<HBITMAP>(CopyImage(other.bitmap_, IMAGE_BITMAP, 0, 0, 0)) : nullptr);
}

TBinary TPicture::Data() const
{
    TBinary data;
    if (!bitmap_) return data;
    BITMAPINFOHEADER header{sizeof header, width_, height_, 1, 24, BI_RGB};
    const DWORD stride = ((static_cast<DWORD>(width_) * 3 + 3) / 4) * 4;
    std::vector<std::uint8_t> pixels(stride * static_cast<DWORD>(height_));
    const HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap_, 0, static_cast<UINT>(height_), pixels.data(), reinterpret_cast<BITMAPINFO*>(&header),
              DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    data.Bytes.resize(file.bfSize);
    std::memcpy(data.Bytes.data(), &file, sizeof file);
    std::memcpy(data.Bytes.data() + sizeof file, &header, sizeof header);
    std::memcpy(data.Bytes.data() + file.bfOffBits, pixels.data(), pixels.size());
    return data;
}

void TPicture::SetData(TBinary data)
{
    if (data.Bytes.empty()) {
        SetBitmap(nullptr);
        return;
    }
    const auto& bytes = data.Bytes;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER header{};
    if (bytes.size() < sizeof file + sizeof header) throw Exception("Bitmap image is not valid");
    std::memcpy(&file, bytes.data(), sizeof file);
    std::memcpy(&header, bytes.data() + sizeof file, sizeof header);
    if (file.bfType != 0x4D42 || file.bfOffBits >= bytes.size() || header.biSize < sizeof header || header.biWidth <= 0 ||
        header.biHeight == 0 || header.biWidth > 32768 || header.biHeight > 32768 || header.biHeight < -32768)
        throw Exception("Bitmap image is not valid");
    const LONG rows = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    const DWORD stride = ((static_cast<DWORD>(header.biWidth) * header.biBitCount + 31) / 32) * 4;
    if (header.biCompression != BI_RGB || (header.biBitCount != 24 && header.biBitCount != 32) ||
        bytes.size() - file.bfOffBits < static_cast<std::size_t>(stride) * static_cast<std::size_t>(rows))
        throw Exception("Bitmap image is not valid");
    const HDC screen = GetDC(nullptr);
    const HBITMAP bitmap =
        CreateDIBitmap(screen, &header, CBM_INIT, bytes.data() + file.bfOffBits,
                       reinterpret_cast<const BITMAPINFO*>(bytes.data() + sizeof file), DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (!bitmap) throw Exception("Bitmap image is not valid");
    SetBitmap(bitmap);
}

void TPicture::Draw(HDC dc, int x, int y) const
{
    if (!bitmap_) return;
    const HDC source = CreateCompatibleDC(dc);
    const HGDIOBJ old = SelectObject(source, bitmap_);
    BitBlt(dc, x, y, width_, height_, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

void TPicture::Changed()
{
    if (OnChange) OnChange();
}

} // namespace fw
