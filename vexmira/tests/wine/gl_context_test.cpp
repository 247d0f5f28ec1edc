// The hidden window and its WGL context on the real driver (Mesa on Xvfb).
#include "vexmira/wgl_context.h"

#include "vexmira/tests/fake_gl.h"

#include <GL/gl.h>

#include <gtest/gtest.h>

#include <string>

namespace {

HINSTANCE Instance() {
    return GetModuleHandleW(nullptr);
}

TEST(Win32HiddenWindow, IsAnInvisibleStaticWindowNamedVexmira) {
    const std::unique_ptr<Win32HiddenWindow> window = Win32HiddenWindow::Create(Instance());
    ASSERT_NE(window, nullptr);
    ASSERT_NE(window->DC(), nullptr);
    const HWND hwnd = window->Window();
    EXPECT_EQ(FindWindowW(L"Static", L"vexmira"), hwnd);
    EXPECT_FALSE(IsWindowVisible(hwnd));
    EXPECT_EQ(GetParent(hwnd), nullptr);
    EXPECT_EQ(GetWindowLongPtrW(hwnd, GWL_STYLE) & (WS_VISIBLE | WS_CHILD), 0);
    // Style 0 is a captioned top-level window, which the system widens to its
    // minimum tracking size, so only the position is exact.
    RECT rect = {};
    GetWindowRect(hwnd, &rect);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_GE(rect.bottom - rect.top, 100);
}

TEST(Win32HiddenWindow, DestroysItsWindow) {
    HWND hwnd = nullptr;
    {
        const std::unique_ptr<Win32HiddenWindow> window = Win32HiddenWindow::Create(Instance());
        ASSERT_NE(window, nullptr);
        hwnd = window->Window();
        EXPECT_TRUE(IsWindow(hwnd));
    }
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST(CreateGLContext, ContextIsCurrentUntilItEnds) {
    const std::unique_ptr<Win32HiddenWindow> window = Win32HiddenWindow::Create(Instance());
    ASSERT_NE(window, nullptr);
    MemoryOutput output;
    {
        std::unique_ptr<GLDriver> driver = window->CreateGLContext(output);
        ASSERT_NE(driver, nullptr);
        EXPECT_EQ(output.text, "");
        EXPECT_NE(wglGetCurrentContext(), nullptr);
        EXPECT_EQ(wglGetCurrentDC(), window->DC());

        PIXELFORMATDESCRIPTOR format = {};
        DescribePixelFormat(window->DC(), GetPixelFormat(window->DC()), sizeof format, &format);
        EXPECT_EQ(format.dwFlags & (PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER),
                  static_cast<DWORD>(PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER));
        EXPECT_EQ(format.iPixelType, PFD_TYPE_RGBA);
        EXPECT_GE(format.cDepthBits, 16);

        // What Mesa's llvmpipe reports through Wine on our machines.
        EXPECT_STREQ(driver->GetString(GLString::Vendor), "Mesa/X.org");
        EXPECT_NE(std::string(driver->GetString(GLString::Renderer)).find("llvmpipe"),
                  std::string::npos);
        EXPECT_NE(driver->GetString(GLString::Version), nullptr);
        EXPECT_NE(driver->GetString(GLString::ShadingLanguageVersion), nullptr);
        EXPECT_NE(
            std::string(driver->GetString(GLString::Extensions)).find("GL_ARB_shader_objects"),
            std::string::npos);
    }
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
}

TEST(CreateGLContext, PixelFormatFailuresWriteTheirLines) {
    MemoryOutput noDC;
    EXPECT_FALSE(CreateGLContext(nullptr, noDC));
    EXPECT_EQ(noDC.text, "error : ChoosePixelFormat fails !\n");

    // A window's pixel format can be set once: another format is refused.
    const std::unique_ptr<Win32HiddenWindow> window = Win32HiddenWindow::Create(Instance());
    ASSERT_NE(window, nullptr);
    const PIXELFORMATDESCRIPTOR request = PixelFormatRequest();
    const int chosen = ChoosePixelFormat(window->DC(), &request);
    ASSERT_NE(chosen, 0);
    const int other = chosen == 1 ? 2 : 1;
    PIXELFORMATDESCRIPTOR otherFormat = {};
    DescribePixelFormat(window->DC(), other, sizeof otherFormat, &otherFormat);
    ASSERT_TRUE(SetPixelFormat(window->DC(), other, &otherFormat));
    MemoryOutput taken;
    EXPECT_FALSE(CreateGLContext(window->DC(), taken));
    EXPECT_EQ(taken.text, "error : SetPixelFormat fails !\n");
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
}

TEST(WglDriver, MissingFunctionsAreNull) {
    const std::unique_ptr<Win32HiddenWindow> window = Win32HiddenWindow::Create(Instance());
    ASSERT_NE(window, nullptr);
    MemoryOutput output;
    const std::unique_ptr<GLDriver> driver = window->CreateGLContext(output);
    ASSERT_NE(driver, nullptr);
    EXPECT_EQ(driver->GetProcAddress("glNoSuchFunctionARB"), nullptr);
    EXPECT_NE(driver->GetProcAddress("glCreateShaderObjectARB"), nullptr);
    EXPECT_NE(driver->GetProcAddress("glBlendFuncSeparate"), nullptr);
}

}  // namespace
