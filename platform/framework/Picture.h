// A picture: an owned bitmap that streams as the bytes of a BMP file, and tells its owner when
// it changes.
#pragma once

#include "platform/framework/Component.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace fw {

class TPicture : public TPersistent {
public:
    TPicture() = default;
    ~TPicture() override;
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;

    const TClassInfo& ClassInfo() const override;
    static const TClassInfo& StaticClassInfo();

    // True when the picture holds a graphic.
    bool HasGraphic() const { return bitmap_ != nullptr; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    HBITMAP Bitmap() const { return bitmap_; }

    void Assign(const TPicture& other);
    // Takes the bitmap (owned from now on); nullptr empties the picture.
    void SetBitmap(HBITMAP bitmap);
    // The picture as the bytes of a BMP file, and back; raises Exception for bytes that are no bitmap.
    TBinary Data() const;
    void SetData(TBinary data);

    // Draws the graphic at its own size with its top left corner at (x, y).
    void Draw(HDC dc, int x, int y) const;

    std::function<void()> OnChange;

private:
    void Changed();

    HBITMAP bitmap_ = nullptr;
    int width_ = 0, height_ = 0;
};

} // namespace fw
