// Reading a drawing or a photo: image files through the Windows Imaging Component, shrunk while
// read where they are larger than a page needs, turned as the photo's orientation asks; page files
// directly.
#include <windows.h>

#include <wincodec.h>

#include <algorithm>
#include <cmath>

#include "image/Image.h"
#include "page/PageFormat.h"
#include "page/PageLines.h"
#include "pagemaker/Maker.h"

// MinGW's header lacks the frame's scaled decoding (JPEG decodes at 1/2, 1/4 and 1/8 of its size).
MIDL_INTERFACE("3b16811b-6a43-4ec9-b713-3d5a0c13b940")
IWICBitmapSourceTransform : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE CopyPixels(const WICRect*, UINT, UINT, WICPixelFormatGUID*,
                                                 WICBitmapTransformOptions, UINT, UINT, BYTE*) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetClosestSize(UINT*, UINT*) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetClosestPixelFormat(WICPixelFormatGUID*) = 0;
    virtual HRESULT STDMETHODCALLTYPE DoesSupportTransform(WICBitmapTransformOptions, BOOL*) = 0;
};

namespace {

const IID SourceTransformId = {
    0x3b16811b, 0x6a43, 0x4ec9, {0xb7, 0x13, 0x3d, 0x5a, 0x0c, 0x13, 0xb9, 0x40}};

// Up to this many pixels a drawing is kept whole for its thin lines; a larger image is shrunk
// while it is read, to a drawing of at most ShrunkDrawingPixels: what is held is bounded, not the
// camera's size. Past LargestImagePixels an image is refused.
constexpr uint64_t WholeDrawingPixels = 64u << 20, ShrunkDrawingPixels = 4u << 20;
constexpr uint64_t LargestImagePixels = 1u << 30;
constexpr UINT BandBytes = 4u << 20; // 32-bit pixels converted at a time: a few rows at least
// A photo is read at least this large on its shorter side: twice the page, for its fit.
constexpr UINT PhotoSide = 2 * StdPageHeight;
// The start of a file read for its kind and orientation; a page file fits whole.
constexpr DWORD HeadBytes = 1u << 20;

// A COM interface pointer released when the function that took it ends.
template <typename T> struct Com {
    T* p = nullptr;
    ~Com() {
        if (p)
            p->Release();
    }
    T* operator->() const { return p; }
};

bool ReadHead(const wchar_t* path, std::vector<uint8_t>& head) {
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    head.resize(HeadBytes);
    DWORD got = 0;
    const BOOL ok = ReadFile(file, head.data(), HeadBytes, &got, nullptr);
    CloseHandle(file);
    head.resize(got);
    return ok;
}

// A JPEG frame decoded straight at a smaller size, into 24-bit blue-green-red.
bool ReadScaled(IWICBitmapFrameDecode* frame, UINT factor, UINT& width, UINT& height,
                std::vector<uint8_t>& pixels) {
    Com<IWICBitmapSourceTransform> transform;
    if (FAILED(frame->QueryInterface(SourceTransformId, reinterpret_cast<void**>(&transform.p))))
        return false;
    UINT w = width / factor, h = height / factor;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (FAILED(transform->GetClosestSize(&w, &h)) || w >= width || !w || !h ||
        FAILED(transform->GetClosestPixelFormat(&format)) || format != GUID_WICPixelFormat24bppBGR)
        return false;
    pixels.resize(size_t(w) * h * 3);
    if (FAILED(transform->CopyPixels(nullptr, w, h, &format, WICBitmapTransformRotate0, w * 3,
                                     UINT(pixels.size()), pixels.data())))
        return false;
    width = w, height = h;
    return true;
}

DrawingRead ReadImage(const wchar_t* path, int orientation, ImageUse use, Drawing& drawing,
                      RgbImage& photo) {
    Com<IWICImagingFactory> factory;
    Com<IWICBitmapDecoder> decoder;
    Com<IWICBitmapFrameDecode> frame;
    Com<IWICFormatConverter> converter;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, reinterpret_cast<void**>(&factory.p))) ||
        FAILED(factory->CreateDecoderFromFilename(path, nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, &decoder.p)) ||
        FAILED(decoder->GetFrame(0, &frame.p)))
        return DrawingRead::Unreadable;
    UINT width = 0, height = 0;
    if (FAILED(frame->GetSize(&width, &height)) || !width || !height)
        return DrawingRead::Unreadable;
    const uint64_t pixels = uint64_t(width) * height;
    if (pixels > LargestImagePixels)
        return DrawingRead::TooLarge;
    // A photo only, or an image too large to keep whole, is decoded shrunk where the decoder can
    // (on Windows, JPEG); the drawing is then made from that.
    std::vector<uint8_t> scaled;
    const bool whole = pixels <= WholeDrawingPixels && use != ImageUse::Photo;
    UINT factor = std::max(1u, std::min(width, height) / PhotoSide);
    if (!whole && factor >= 2 && ReadScaled(frame.p, factor, width, height, scaled))
        factor = std::max(1u, std::min(width, height) / PhotoSide);
    // Blue-green-red and grey frames (most JPEGs) are read as they are; any other is converted to
    // blue-green-red-alpha, which costs a third of the time a large JPEG takes.
    WICPixelFormatGUID format{};
    frame->GetPixelFormat(&format);
    const int channels = !scaled.empty()                         ? 3
                         : format == GUID_WICPixelFormat24bppBGR ? 3
                         : format == GUID_WICPixelFormat8bppGray ? 1
                                                                 : 4;
    IWICBitmapSource* source = frame.p;
    if (channels == 4) {
        if (FAILED(factory->CreateFormatConverter(&converter.p)) ||
            FAILED(converter->Initialize(frame.p, GUID_WICPixelFormat32bppBGRA,
                                         WICBitmapDitherTypeNone, nullptr, 0,
                                         WICBitmapPaletteTypeCustom)))
            return DrawingRead::Unreadable;
        source = converter.p;
    }
    // The frame read in bands of rows, each handed to take(rows' pixels, top row, rows).
    const UINT stride = width * UINT(channels);
    const UINT bandRows = BandBytes / stride ? BandBytes / stride : 1;
    std::vector<uint8_t> band(scaled.empty() ? size_t(stride) * bandRows : 0);
    const auto read = [&](const auto& take) {
        for (UINT top = 0; top < height; top += bandRows) {
            const UINT rows = height - top < bandRows ? height - top : bandRows;
            const uint8_t* at = scaled.data() + size_t(top) * stride;
            if (scaled.empty()) {
                const WICRect rect{0, INT(top), INT(width), INT(rows)};
                if (FAILED(source->CopyPixels(&rect, stride, UINT(band.size()), band.data())))
                    return false;
                at = band.data();
            }
            take(at, int(top), int(rows));
        }
        return true;
    };
    // Grey and scaling are done here, not by the imaging component: its scaler and its grey
    // conversion are not dependable on every system. The photo is summed in cells of factor x
    // factor pixels; the drawing's grey levels are kept whole, or summed in cells of shrink x
    // shrink.
    const int photoW = int((width + factor - 1) / factor),
              photoH = int((height + factor - 1) / factor);
    const UINT shrink =
        whole ? 1
              : std::max<UINT>(
                    1, UINT(std::ceil(std::sqrt(double(width) * height / ShrunkDrawingPixels))));
    const int greyW = int((width + shrink - 1) / shrink),
              greyH = int((height + shrink - 1) / shrink);
    std::vector<uint32_t> photoSums(size_t(photoW) * photoH * 4), greySums;
    Mask sheet;
    const auto addPhoto = [&](const uint8_t* at, int top, int rows) {
        AddShrunkRows(at, stride, int(width), rows, top, channels, int(factor), photoW, photoSums);
    };
    const auto addGrey = [&](const uint8_t* at, int top, int rows) {
        if (whole)
            GreyOnWhite(at, stride, int(width), rows, channels,
                        sheet.px.data() + size_t(top) * width);
        else
            AddShrunkRows(at, stride, int(width), rows, top, channels, int(shrink), greyW,
                          greySums);
    };
    const bool grey = use == ImageUse::Both; // the drawing read with the photo, in the same bands
    const auto startGrey = [&] {
        if (whole)
            sheet = Mask(int(width), int(height));
        else
            greySums.assign(size_t(greyW) * greyH * 4, 0);
    };
    if (grey)
        startGrey();
    if (!read([&](const uint8_t* at, int top, int rows) {
            addPhoto(at, top, rows);
            if (grey)
                addGrey(at, top, rows);
        }))
        return DrawingRead::Unreadable;
    photo = Upright(FromShrunkSums(photoSums, photoW, photoH), orientation);
    drawing = Drawing();
    // A photo's page is made from the photo alone: the drawing is read only when one may be
    // wanted. Under Wine the decoder holds the whole image once the frame is made, so reading it
    // a second time is a copy.
    if (use == ImageUse::Photo || (use == ImageUse::DrawingIfNoPhoto &&
                                   ChooseKind(KindChoice::FromImage, photo) == PageKind::Photo))
        return DrawingRead::Ok;
    if (!grey) {
        startGrey();
        if (!read(addGrey))
            return DrawingRead::Unreadable;
    }
    if (!whole) {
        const RgbImage small = FromShrunkSums(greySums, greyW, greyH);
        sheet = Mask(greyW, greyH);
        for (size_t i = 0; i < sheet.size(); ++i)
            sheet[i] = uint8_t(GreyLevel(&small.rgb[i * 3]));
    }
    sheet = Upright(std::move(sheet), orientation);
    WhitenPaper(sheet.px);
    drawing = {std::move(sheet.px), sheet.width, sheet.height, false};
    return DrawingRead::Ok;
}

} // namespace

DrawingRead ReadDrawing(const wchar_t* path, Drawing& drawing, RgbImage& photo, ImageUse use) {
    photo = RgbImage();
    std::vector<uint8_t> head;
    if (!ReadHead(path, head))
        return DrawingRead::Unreadable;
    if (head.size() < 2 || head[0] != 'C' || head[1] != 'O') {
        const DrawingRead read =
            ReadImage(path, PhotoOrientation(head.data(), head.size()), use, drawing, photo);
        return read == DrawingRead::Unreadable && IsHeif(head.data(), head.size())
                   ? DrawingRead::Heif
                   : read;
    }
    // A page file: its outline is the drawing, black on white.
    std::vector<uint8_t> lines;
    if (!PageFileOutline(head.data(), head.size(), lines))
        return DrawingRead::Unreadable;
    drawing = {std::vector<uint8_t>(lines.size()), StdPageWidth, StdPageHeight, true};
    for (size_t i = 0; i < lines.size(); ++i)
        drawing.grey[i] = lines[i] ? 0 : 255;
    return DrawingRead::Ok;
}
