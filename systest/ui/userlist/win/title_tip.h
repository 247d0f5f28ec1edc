// The title tip: a small popup over a cell whose text is clipped, showing the
// whole text in the tool-tip colours. While shown it holds the mouse capture:
// it hides as soon as the mouse leaves it, and clicks on it are passed on to
// the list below, so the tip never gets in the way.
#pragma once

#include "common/win/gdi.h"
#include "common/win/window_object.h"

#include <windows.h>

#include <string>

class TitleTip final : public SubclassedWindow {
  public:
    TitleTip() = default;
    ~TitleTip() override;

    // Creates the hidden tip for a list (registering "TitleTip" the first
    // time), with the colours and message font of the moment.
    bool Create(HWND list);
    void Destroy();

    // Shows the text over a text area of the list (screen coordinates) when
    // it does not fit there. True when the tip is shown.
    bool Show(const RECT& textArea, const std::wstring& text);
    // Releases the capture if the tip holds it, and hides.
    void Close();

  private:
    MessageTable<SubclassedWindow> Messages() const override;

    LRESULT OnEraseBackground(HDC dc);
    void OnPaint();
    void OnPrintClient(HDC dc);
    LRESULT OnMouseActivate();
    void OnMouseMove(UINT keys, POINT point);
    // A click on the tip goes to the list below it (CurrentMessage's button).
    void OnMouseButton(UINT keys, POINT point);

    void Paint(HDC dc);

    HWND list_ = nullptr;
    UniqueFont font_;
    COLORREF background_ = 0;  // COLOR_INFOBK
    COLORREF text_ = 0;        // COLOR_INFOTEXT, also the frame
};

// The window class of the title tip.
inline constexpr wchar_t kTitleTipClassName[] = L"TitleTip";
