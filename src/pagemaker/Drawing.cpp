// Reading a drawing: image files through the Windows Imaging Component, page files directly.
#include <windows.h>

#include <wincodec.h>

#include "colouring/ColourTable.h"
#include "page/FileBytes.h"
#include "page/PageFormat.h"
#include "pagemaker/Maker.h"

namespace {

// Past this a drawing is refused rather than risk running out of memory on its grey copies.
constexpr uint64_t LargestDrawingPixels = 64u << 20;
constexpr UINT BandBytes = 4u << 20; // 32-bit pixels converted at a time: a few rows at least

// A COM interface pointer released when the function that took it ends.
template <typename T> struct Com {
    T* p = nullptr;
    ~Com() {
        if (p)
            p->Release();
    }
    T* operator->() const { return p; }
};

DrawingRead ReadImage(const wchar_t* path, Drawing& drawing) {
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
    // Blue-green-red and grey frames (most JPEGs) are read as they are; any other is converted to
    // blue-green-red-alpha, which costs a third of the time a large JPEG takes.
    WICPixelFormatGUID format{};
    frame->GetPixelFormat(&format);
    const int channels = format == GUID_WICPixelFormat24bppBGR   ? 3
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
    UINT width = 0, height = 0;
    if (FAILED(source->GetSize(&width, &height)) || !width || !height)
        return DrawingRead::Unreadable;
    if (uint64_t(width) * height > LargestDrawingPixels)
        return DrawingRead::TooLarge;
    // Grey and scaling are done here, not by the imaging component: its scaler and its grey
    // conversion are not dependable on every system.
    const UINT stride = width * UINT(channels);
    const UINT bandRows = BandBytes / stride ? BandBytes / stride : 1;
    std::vector<uint8_t> grey(size_t(width) * height), band(size_t(stride) * bandRows);
    for (UINT top = 0; top < height; top += bandRows) {
        const UINT rows = height - top < bandRows ? height - top : bandRows;
        const WICRect rect{0, INT(top), INT(width), INT(rows)};
        if (FAILED(source->CopyPixels(&rect, stride, UINT(band.size()), band.data())))
            return DrawingRead::Unreadable;
        GreyOnWhite(band.data(), stride, int(width), int(rows), channels,
                    grey.data() + size_t(top) * width);
    }
    WhitenPaper(grey);
    drawing = {std::move(grey), int(width), int(height), false};
    return DrawingRead::Ok;
}

} // namespace

DrawingRead ReadDrawing(const wchar_t* path, Drawing& drawing) {
    std::vector<uint8_t> bytes;
    const ReadResult read = ReadWholeFile(path, bytes);
    if (read == ReadResult::CannotOpen)
        return DrawingRead::Unreadable;
    if (read != ReadResult::Ok || bytes.size() < 2 || bytes[0] != 'C' || bytes[1] != 'O')
        return ReadImage(path, drawing);
    // A page file: its outline is the drawing, black on white.
    BitmapFileHeader fh;
    MYBITMAPINFO info;
    std::vector<uint8_t> pixels(PagePixelBytes);
    if (!ParseShownPage(bytes.data(), bytes.size(), fh, info, pixels.data()))
        return DrawingRead::Unreadable;
    const LineMask lines = MaskFromPage(pixels.data());
    drawing = {std::vector<uint8_t>(lines.size()), StdPageWidth, StdPageHeight, true};
    for (size_t i = 0; i < lines.size(); ++i)
        drawing.grey[i] = lines[i] ? 0 : 255;
    return DrawingRead::Ok;
}
