#include "actions/window/gdiplus_layer.h"

#include <new>

namespace {

struct GpBitmap;
struct StartupInput {
    UINT32 GdiplusVersion;
    void* DebugEventCallback;
    BOOL SuppressBackgroundThread;
    BOOL SuppressExternalCodecs;
};

}  // namespace

extern "C" {
hq::GpStatus WINAPI GdiplusStartup(ULONG_PTR* token, const StartupInput* input, void* output);
void WINAPI GdiplusShutdown(ULONG_PTR token);
void* WINAPI GdipAlloc(size_t size);
void WINAPI GdipFree(void* block);
hq::GpStatus WINAPI GdipCreateBitmapFromFileICM(const WCHAR* file, GpBitmap** bitmap);
hq::GpStatus WINAPI GdipCreateHBITMAPFromBitmap(GpBitmap* bitmap, HBITMAP* result, hq::ARGB background);
hq::GpStatus WINAPI GdipGetImageWidth(hq::GpImage* image, UINT* width);
hq::GpStatus WINAPI GdipGetImageHeight(hq::GpImage* image, UINT* height);
hq::GpStatus WINAPI GdipDisposeImage(hq::GpImage* image);
hq::GpStatus WINAPI GdipCreateBitmapFromFile(const WCHAR* file, GpBitmap** bitmap);
}

namespace hq {

GdiplusSession::GdiplusSession() {
    const StartupInput input{1, nullptr, FALSE, FALSE};
    if (GdiplusStartup(&token_, &input, nullptr) != kGpOk) token_ = 0;
}

GdiplusSession::~GdiplusSession() {
    if (token_) GdiplusShutdown(token_);
}

void* TGdiplusBase::operator new(size_t size) {
    void* block = GdipAlloc(size);
    if (!block) throw std::bad_alloc();
    return block;
}

void TGdiplusBase::operator delete(void* block) { GdipFree(block); }

TGPImage::~TGPImage() {
    if (nativeImage_) GdipDisposeImage(nativeImage_);
}

UINT TGPImage::GetWidth() {
    UINT width = 0;
    if (nativeImage_) lastResult_ = GdipGetImageWidth(nativeImage_, &width);
    return width;
}

UINT TGPImage::GetHeight() {
    UINT height = 0;
    if (nativeImage_) lastResult_ = GdipGetImageHeight(nativeImage_, &height);
    return height;
}

TGPBitmap::TGPBitmap(const std::wstring& file, bool useEmbeddedColorManagement) {
    GpBitmap* bitmap = nullptr;
    lastResult_ = useEmbeddedColorManagement ? GdipCreateBitmapFromFileICM(file.c_str(), &bitmap)
                                             : GdipCreateBitmapFromFile(file.c_str(), &bitmap);
    if (lastResult_ != kGpOk) bitmap = nullptr;
    nativeImage_ = reinterpret_cast<GpImage*>(bitmap);
}

GpStatus TGPBitmap::GetHBITMAP(ARGB background, HBITMAP* bitmap) {
    *bitmap = nullptr;
    if (!nativeImage_) return lastResult_ = 2;  // InvalidParameter
    HBITMAP made = nullptr;
    lastResult_ = GdipCreateHBITMAPFromBitmap(reinterpret_cast<GpBitmap*>(nativeImage_), &made, background);
    if (lastResult_ == kGpOk) *bitmap = made;
    return lastResult_;
}

}  // namespace hq
