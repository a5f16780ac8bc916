#include "platform/win32/Picture.h"

#include <wincodec.h>

#include <algorithm>
#include <string>

namespace discmenu::win32 {

namespace {

// Releases a COM interface when it goes out of scope.
template <class T> struct Com {
    T* p = nullptr;
    ~Com() {
        if (p)
            p->Release();
    }
    T* operator->() const { return p; }
};

// Decodes the RCDATA resource NAME; with onlyCovering, only when it holds at least the part
// asked for.
HBITMAP decodeResource(Shell& shell, HINSTANCE instance, const wchar_t* name, int maxWidth,
                       int maxHeight, bool onlyCovering) {
    HRSRC found = FindResourceW(instance, name, MAKEINTRESOURCEW(10)); // RT_RCDATA
    if (!found)
        return nullptr;
    HGLOBAL loaded = LoadResource(instance, found);
    auto* bytes = static_cast<BYTE*>(LockResource(loaded));
    const DWORD size = SizeofResource(instance, found);
    if (!bytes || !size)
        return nullptr;

    Com<IWICImagingFactory> factory;
    if (FAILED(shell.createInstance(CLSID_WICImagingFactory, IID_IWICImagingFactory,
                                    reinterpret_cast<void**>(&factory.p))))
        return nullptr;
    Com<IWICStream> stream;
    Com<IWICBitmapDecoder> decoder;
    Com<IWICBitmapFrameDecode> frame;
    Com<IWICFormatConverter> converted;
    if (FAILED(factory->CreateStream(&stream.p)) ||
        FAILED(stream->InitializeFromMemory(bytes, size)) ||
        FAILED(factory->CreateDecoderFromStream(stream.p, nullptr, WICDecodeMetadataCacheOnDemand,
                                                &decoder.p)) ||
        FAILED(decoder->GetFrame(0, &frame.p)) ||
        FAILED(factory->CreateFormatConverter(&converted.p)) ||
        FAILED(converted->Initialize(frame.p, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone,
                                     nullptr, 0, WICBitmapPaletteTypeCustom)))
        return nullptr;
    UINT fullW = 0, fullH = 0;
    converted->GetSize(&fullW, &fullH);
    if (onlyCovering &&
        (fullW < static_cast<UINT>(maxWidth) || fullH < static_cast<UINT>(maxHeight)))
        return nullptr;
    const UINT w = std::min<UINT>(fullW, static_cast<UINT>(std::max(maxWidth, 1)));
    const UINT h = std::min<UINT>(fullH, static_cast<UINT>(std::max(maxHeight, 1)));
    const WICRect part{0, 0, static_cast<INT>(w), static_cast<INT>(h)};

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = static_cast<LONG>(w);
    info.bmiHeader.biHeight = -static_cast<LONG>(h); // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (!bitmap)
        return nullptr;
    if (FAILED(converted->CopyPixels(&part, w * 4, w * h * 4, static_cast<BYTE*>(pixels)))) {
        DeleteObject(bitmap);
        return nullptr;
    }
    return bitmap;
}

} // namespace

HBITMAP loadPicture(Shell& shell, HINSTANCE instance, const wchar_t* name, int maxWidth,
                    int maxHeight) {
    // The top left part alone, where the program carries it and it is large enough: the
    // decoders read a whole picture, and the whole one is far larger than a window.
    const std::wstring top = std::wstring(name) + L"_TOP";
    if (HBITMAP part = decodeResource(shell, instance, top.c_str(), maxWidth, maxHeight, true))
        return part;
    return decodeResource(shell, instance, name, maxWidth, maxHeight, false);
}

} // namespace discmenu::win32
