#include "resources/TileImage.h"

#include "platform/framework/Exception.h"
#include "platform/framework/FormStreaming.h"
#include "platform/framework/Forms.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255), kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);

// A picture whose first column is red and the rest blue, so every drawn copy shows where it starts.
HBITMAP MarkedBitmap(int width, int height)
{
    const HDC screen = GetDC(nullptr);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    const HDC dc = CreateCompatibleDC(screen);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, width, height}, first{0, 0, 1, height};
    const HBRUSH blue = CreateSolidBrush(kBlue), red = CreateSolidBrush(kRed);
    FillRect(dc, &all, blue);
    FillRect(dc, &first, red);
    DeleteObject(blue);
    DeleteObject(red);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

// A white memory canvas the control paints into.
class Canvas {
public:
    Canvas(int width, int height)
    {
        const HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        old_ = SelectObject(dc_, bitmap_);
        RECT all{0, 0, width, height};
        FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~Canvas()
    {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC Dc() const { return dc_; }
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

std::vector<int> RedColumns(const Canvas& canvas, int width, int y)
{
    std::vector<int> columns;
    for (int x = 0; x < width; ++x)
        if (canvas.At(x, y) == kRed) columns.push_back(x);
    return columns;
}

TEST(TileImage, RepeatsThePictureOverItsArea)
{
    TTileImage image(nullptr);
    EXPECT_EQ(image.Width(), 105);
    EXPECT_EQ(image.Height(), 105);
    EXPECT_FALSE(image.TileImage());
    image.SetBounds(0, 0, 417, 21);
    image.Picture().SetBitmap(MarkedBitmap(40, 21));
    image.SetTileImage(true);
    Canvas canvas(430, 30);
    image.Paint(canvas.Dc());
    EXPECT_EQ(RedColumns(canvas, 430, 10), (std::vector<int>{0, 40, 80, 120, 160, 200, 240, 280, 320, 360, 400}));
    EXPECT_EQ(canvas.At(416, 10), kBlue);   // the last copy, cut at the right edge
    EXPECT_EQ(canvas.At(417, 10), kWhite);  // nothing beyond the control
    EXPECT_EQ(canvas.At(5, 21), kWhite);    // nor below it
}

TEST(TileImage, OnceWhenNotTiledAndClippedToTheControl)
{
    TTileImage image(nullptr);
    image.SetBounds(10, 5, 30, 10);
    image.Picture().SetBitmap(MarkedBitmap(50, 50));
    Canvas canvas(100, 100);
    image.Paint(canvas.Dc());
    EXPECT_EQ(canvas.At(10, 5), kRed);
    EXPECT_EQ(canvas.At(39, 14), kBlue);
    EXPECT_EQ(canvas.At(40, 14), kWhite);
    EXPECT_EQ(canvas.At(20, 15), kWhite);
    EXPECT_EQ(RedColumns(canvas, 100, 8), (std::vector<int>{10}));
}

TEST(TileImage, NoGraphicDrawsNothing)
{
    TTileImage image(nullptr);
    image.SetTileImage(true);
    Canvas canvas(120, 120);
    image.Paint(canvas.Dc());
    for (int y = 0; y < 120; y += 7)
        for (int x = 0; x < 120; x += 7) ASSERT_EQ(canvas.At(x, y), kWhite) << x << "," << y;
}

// Counts the repaints the control asks of its parent window.
class TCountingForm : public fw::TForm {
public:
    using fw::TForm::TForm;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_PAINT) ++paints;
        return fw::TForm::WndProc(message, wParam, lParam);
    }
    int paints = 0;
};

TEST(TileImage, ChangesRepaintAndTheSameValueDoesNot)
{
    TCountingForm form(nullptr);
    form.SetBounds(0, 0, 200, 200);
    form.Show();
    auto* image = new TTileImage(&form);
    image->SetParent(&form);
    auto settle = [&] {
        UpdateWindow(form.Handle());
        const int count = form.paints;
        form.paints = 0;
        return count;
    };
    settle();
    image->SetTileImage(false);  // unchanged
    EXPECT_EQ(settle(), 0);
    image->SetTileImage(true);
    EXPECT_EQ(settle(), 1);
    fw::TPicture picture;
    picture.SetBitmap(MarkedBitmap(8, 8));
    image->SetPicture(picture);
    EXPECT_EQ(settle(), 1);
    image->Picture().SetBitmap(MarkedBitmap(4, 4));  // a change of the owned picture
    EXPECT_EQ(settle(), 1);
}

TEST(TileImage, PictureStreamsAsBitmapBytes)
{
    fw::RegisterFrameworkClasses();
    RegisterTileImage();
    fw::TForm form(nullptr);
    form.SetName("Host");
    auto* image = new TTileImage(&form);
    image->SetName("Title");
    image->SetParent(&form);
    image->SetTileImage(true);
    image->Picture().SetBitmap(MarkedBitmap(3, 2));
    const std::string text = fw::WriteFormResource(fw::WriteComponentResource(form));
    EXPECT_NE(text.find("Picture.Data = {\n      424D"), std::string::npos) << text;  // a BMP file: "BM"

    fw::TForm copy(nullptr);
    fw::ReadComponentResource(copy, std::string_view(text), "TForm");
    auto* read = dynamic_cast<TTileImage*>(copy.FindComponent("Title"));
    ASSERT_NE(read, nullptr);
    EXPECT_TRUE(read->TileImage());
    EXPECT_EQ(read->Picture().Width(), 3);
    EXPECT_EQ(read->Picture().Height(), 2);
    EXPECT_EQ(read->Picture().Data(), image->Picture().Data());
    EXPECT_THROW(read->Picture().SetData(fw::TBinary{{'B', 'M', 1, 2, 3}}), fw::Exception);
}

} // namespace
