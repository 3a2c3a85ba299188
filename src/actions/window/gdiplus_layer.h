// A thin layer over the GDI+ flat interface: the few calls the PNG window
// needs, objects allocated from GDI+'s own heap (GdipAlloc/GdipFree), and a
// session that starts GDI+ and shuts it down again.
//
// GDI+ is started by the action that needs it, on the host's thread, and shut
// down before that action returns: GdiplusStartup and GdiplusShutdown must not
// run inside the library's load and unload notifications (they wait for
// GDI+'s background thread under the loader lock), and nothing of GDI+ may
// outlive the library.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>

namespace hq {

using GpStatus = int;  // 0 is Ok
using ARGB = DWORD;
struct GpImage;

constexpr GpStatus kGpOk = 0;

// Starts GDI+ (version 1, no debug callback, background thread and external
// codecs not suppressed) and shuts it down when it goes out of scope.
class GdiplusSession {
public:
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    bool started() const { return token_ != 0; }

private:
    ULONG_PTR token_ = 0;
};

// Instances live in memory from GdipAlloc and go back with GdipFree.
class TGdiplusBase {
public:
    static void* operator new(size_t size);
    static void operator delete(void* block);
    static void* operator new[](size_t) = delete;
    static void operator delete[](void*) = delete;
};

// An image object; disposed of when destroyed. Status codes are kept, not acted on.
class TGPImage : public TGdiplusBase {
public:
    virtual ~TGPImage();
    TGPImage(const TGPImage&) = delete;
    TGPImage& operator=(const TGPImage&) = delete;
    UINT GetWidth();
    UINT GetHeight();
    GpStatus GetLastStatus() const { return lastResult_; }

protected:
    TGPImage() = default;
    GpImage* nativeImage_ = nullptr;
    GpStatus lastResult_ = kGpOk;
};

class TGPBitmap : public TGPImage {
public:
    // Loads a picture file; `useEmbeddedColorManagement` applies its colour profile.
    TGPBitmap(const std::wstring& file, bool useEmbeddedColorManagement);
    // A new GDI bitmap of the picture on `background`; `*bitmap` stays null on failure.
    GpStatus GetHBITMAP(ARGB background, HBITMAP* bitmap);
};

}  // namespace hq
