#include "capture_support.h"

#include "base/handles.h"


extern "C" {
#include <jpeglib.h>
}

namespace captest {

bmp::Image ReadPicture(const std::string& path) { return bmp::Decode(ReadBytes(path)); }

namespace {

void PaintHalves(HWND hwnd, HDC dc) {
    RECT r;
    ::GetClientRect(hwnd, &r);
    RECT left = r, right = r;
    left.right = right.left = r.right / 2;
    HBRUSH a = ::CreateSolidBrush(kLeftColour), b = ::CreateSolidBrush(kRightColour);
    ::FillRect(dc, &left, a);
    ::FillRect(dc, &right, b);
    ::DeleteObject(a);
    ::DeleteObject(b);
}

LRESULT CALLBACK PaintedProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hwnd, &ps);
        PaintHalves(hwnd, dc);
        ::EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        PaintHalves(hwnd, reinterpret_cast<HDC>(wp));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    }
    return ::DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

HWND CreatePaintedWindow(HWND parent, DWORD style, int x, int y, int w, int h) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = PaintedProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"CaptestPainted";
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        ::RegisterClassW(&wc);
        registered = true;
    }
    HWND hwnd = ::CreateWindowExW(0, L"CaptestPainted", L"painted", style, x, y, w, h, parent, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
    if (style & WS_VISIBLE) {
        ::SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        ::UpdateWindow(hwnd);
    }
    return hwnd;
}

JpegInfo ParseJpeg(const Bytes& f) {
    JpegInfo info;
    if (f.size() < 4 || f[0] != 0xFF || f[1] != 0xD8) return info;
    size_t i = 2;
    while (i + 4 <= f.size() && f[i] == 0xFF) {
        const uint8_t marker = f[i + 1];
        const size_t len = (f[i + 2] << 8) | f[i + 3];
        if (i + 2 + len > f.size()) break;
        const uint8_t* body = f.data() + i + 4;
        if (marker == 0xDB) info.quantTables.insert(info.quantTables.end(), body, body + len - 2);
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            info.frameMarker = marker;
            info.height = (body[1] << 8) | body[2];
            info.width = (body[3] << 8) | body[4];
            info.components = body[5];
        }
        if (marker == 0xDA) break;  // entropy-coded data follows
        i += 2 + len;
    }
    return info;
}

Bytes ReferenceJpeg(const bmp::Image& img24, int quality) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = img24.width, cinfo.image_height = img24.height;
    cinfo.input_components = 3, cinfo.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(img24.pixels.data() +
                                            (img24.height - 1 - cinfo.next_scanline) * img24.Stride());
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    const hq::UniqueMalloc block(out);
    return Bytes(out, out + size);
}

Bytes ReferenceQuantTables(int quality) {
    return ParseJpeg(ReferenceJpeg(bmp::Convert(Solid(8, 8, 0), bmp::Format::Bgr24), quality)).quantTables;
}

void CaptureTest::SetUp() {
    hqtest::PluginTest::SetUp();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string root = hqtest::TempDirPath("hq_capture_scratch");
    ::CreateDirectoryA(root.c_str(), nullptr);
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name) c = c == '/' ? '_' : c;  // parameterised tests carry slashes in their names
    dir_ = root + "\\" + name + "\\";
    ::CreateDirectoryA(dir_.c_str(), nullptr);
    for (const std::string& name : FolderFiles(dir_)) {
        ::SetFileAttributesA(Path(name).c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileA(Path(name).c_str());
    }
}

void CaptureTest::TearDown() {
    for (HWND w : windows_) ::DestroyWindow(w);
    windows_.clear();
    hqtest::PluginTest::TearDown();
}

HWND CaptureTest::Painted(HWND parent, DWORD style, int x, int y, int w, int h) {
    HWND hwnd = CreatePaintedWindow(parent, style, x, y, w, h);
    if (!parent) windows_.push_back(hwnd);
    if (style & WS_VISIBLE) {
        // Until the screen shows it; a window the screen cannot show (off it,
        // covered) is simply used after the deadline.
        RECT client{};
        ::GetClientRect(hwnd, &client);
        POINT p{client.right * 3 / 4, client.bottom / 2};  // in the right half
        ::ClientToScreen(hwnd, &p);
        hqtest::WaitUntil([&] { return hqtest::ScreenPixel(p.x, p.y) == kRightColour; }, 2000);
    }
    return hwnd;
}

}  // namespace captest
