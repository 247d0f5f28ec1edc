// Message tables for windows and dialogs. A class lists the messages it
// handles, one row each, and gives every row a handler with a typed signature:
// the row decodes wParam and lParam once (MessageArguments), so handlers never
// do. WM_COMMAND is routed by control id. The class's base (SubclassedWindow,
// Dialog) asks it for its table and routes every message through it; a message
// that no row takes goes on: to the previous window procedure, or to the dialog
// manager.
//
//   MessageTable<SubclassedWindow> MyWindow::Messages() const {
//       static constexpr MessageRow<SubclassedWindow> kMessages[] = {
//           Handle<WM_PAINT, &MyWindow::OnPaint>(),              // LRESULT or void OnPaint()
//           Handle<WM_LBUTTONDOWN, &MyWindow::OnLButtonDown>(),  // (UINT keys, POINT point)
//           Observe<WM_DESTROY, &MyWindow::OnDestroy>(),         // and the message goes on
//           Command<IDOK, &MyWindow::OnOk>(),                    // () or (UINT notifyCode)
//       };
//       return kMessages;
//   }
//
// A handler's result: void handles the message with 0, an integer or handle
// handles it with that value, std::optional<LRESULT> handles it only when it
// holds one. No two rows may take the same message (a table where two do does
// not compile): the order of the rows never matters.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <span>
#include <tuple>
#include <type_traits>

struct WindowMessage {
    UINT id;
    WPARAM wParam;
    LPARAM lParam;
};

// A row of a table that Base routes: the handler it calls is a member of a
// class derived from Base (or of Base's own).
template <typename Base>
struct MessageRow {
    UINT message;
    int commandId;  // WM_COMMAND rows: the control's id, or kAnyCommand
    bool (*call)(Base& window, const WindowMessage& message, LRESULT& result);
};

inline constexpr int kAnyCommand = -1;

// What a message carries, decoded: MessageArguments<M>::Of returns the
// handler's arguments as a tuple. Only the messages our windows handle are
// here (below); a row for another message does not compile until its
// arguments are written down.
namespace message_arguments {

inline POINT PointOf(LPARAM lParam) {
    return {static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
}

struct None {
    static std::tuple<> Of(const WindowMessage&) { return {}; }
};
// The keys held down (MK_*) and the point in client coordinates.
struct Mouse {
    static std::tuple<UINT, POINT> Of(const WindowMessage& m) {
        return {static_cast<UINT>(m.wParam), PointOf(m.lParam)};
    }
};
// A virtual key code, or a character.
struct Key {
    static std::tuple<UINT> Of(const WindowMessage& m) { return {static_cast<UINT>(m.wParam)}; }
};
// The device context to draw into.
struct Dc {
    static std::tuple<HDC> Of(const WindowMessage& m) { return {reinterpret_cast<HDC>(m.wParam)}; }
};
// The window that loses or gets the focus.
struct OtherWindow {
    static std::tuple<HWND> Of(const WindowMessage& m) {
        return {reinterpret_cast<HWND>(m.wParam)};
    }
};
// The scroll bar's request and the 16-bit thumb position it carries.
struct Scroll {
    static std::tuple<WORD, WORD> Of(const WindowMessage& m) {
        return {LOWORD(m.wParam), HIWORD(m.wParam)};
    }
};
// The notification's header, which the full record begins with; null when a
// sender gives none.
struct Notify {
    static std::tuple<const NMHDR*> Of(const WindowMessage& m) {
        return {reinterpret_cast<const NMHDR*>(m.lParam)};
    }
};

template <UINT Message, UINT... Messages>
constexpr bool kOneOf = ((Message == Messages) || ...);

// The decoding of each message our windows handle.
template <UINT M>
constexpr auto KindOf() {
    if constexpr (kOneOf<M, WM_CREATE, WM_DESTROY, WM_SIZE, WM_CANCELMODE, WM_UPDATEUISTATE,
                         WM_SYSCOLORCHANGE, WM_SETTINGCHANGE, WM_FONTCHANGE, WM_SYSKEYDOWN,
                         WM_MOUSELEAVE, WM_MOUSEACTIVATE, WM_PAINT, WM_INITDIALOG, WM_SETCURSOR>) {
        return None{};
    } else if constexpr (kOneOf<M, WM_ERASEBKGND, WM_PRINTCLIENT>) {
        return Dc{};
    } else if constexpr (kOneOf<M, WM_SETFOCUS, WM_KILLFOCUS>) {
        return OtherWindow{};
    } else if constexpr (kOneOf<M, WM_KEYDOWN, WM_CHAR>) {
        return Key{};
    } else if constexpr (kOneOf<M, WM_HSCROLL, WM_VSCROLL>) {
        return Scroll{};
    } else if constexpr (M == WM_NOTIFY) {
        return Notify{};
    } else if constexpr (M >= WM_MOUSEMOVE && M <= WM_MBUTTONDBLCLK) {
        return Mouse{};
    }
}

}  // namespace message_arguments

template <UINT Message>
struct MessageArguments : decltype(message_arguments::KindOf<Message>()) {};

// The rotation in multiples or fractions of WHEEL_DELTA, forward positive.
template <>
struct MessageArguments<WM_MOUSEWHEEL> {
    static std::tuple<short> Of(const WindowMessage& m) {
        return {GET_WHEEL_DELTA_WPARAM(m.wParam)};
    }
};
// The window clicked or keyed in, and the point in screen coordinates: (-1,
// -1) when the keyboard asked for the menu (Shift+F10, the Menu key).
template <>
struct MessageArguments<WM_CONTEXTMENU> {
    static std::tuple<HWND, POINT> Of(const WindowMessage& m) {
        return {reinterpret_cast<HWND>(m.wParam), message_arguments::PointOf(m.lParam)};
    }
};
// The timer's id.
template <>
struct MessageArguments<WM_TIMER> {
    static std::tuple<UINT_PTR> Of(const WindowMessage& m) { return {m.wParam}; }
};
// Whether drawing is to go on.
template <>
struct MessageArguments<WM_SETREDRAW> {
    static std::tuple<bool> Of(const WindowMessage& m) { return {m.wParam != FALSE}; }
};
// The message the dialog manager is about to handle; null when it only asks.
template <>
struct MessageArguments<WM_GETDLGCODE> {
    static std::tuple<const MSG*> Of(const WindowMessage& m) {
        return {reinterpret_cast<const MSG*>(m.lParam)};
    }
};
// The flags for LresultFromObject and the object asked for (OBJID_*).
template <>
struct MessageArguments<WM_GETOBJECT> {
    static std::tuple<WPARAM, LONG> Of(const WindowMessage& m) {
        return {m.wParam, static_cast<LONG>(m.lParam)};
    }
};

namespace message_map_detail {

// The class a member function belongs to.
template <typename Member>
struct MemberOf;
template <typename R, typename C, typename... A>
struct MemberOf<R (C::*)(A...)> {
    using Class = C;
};
template <typename R, typename C, typename... A>
struct MemberOf<R (C::*)(A...) const> {
    using Class = C;
};

// Calls the handler and turns what it returns into handled-or-not and a result.
template <auto Handler, typename Owner, typename... A>
bool Call(Owner& owner, LRESULT& result, A&&... arguments) {
    using R = decltype((owner.*Handler)(std::forward<A>(arguments)...));
    static_assert(!std::is_same_v<R, bool>, "return void, a value or std::optional<LRESULT>");
    if constexpr (std::is_void_v<R>) {
        (owner.*Handler)(std::forward<A>(arguments)...);
        result = 0;
        return true;
    } else if constexpr (std::is_same_v<R, std::optional<LRESULT>>) {
        const std::optional<LRESULT> answer = (owner.*Handler)(std::forward<A>(arguments)...);
        if (answer) {
            result = *answer;
        }
        return answer.has_value();
    } else if constexpr (std::is_pointer_v<R>) {
        result = reinterpret_cast<LRESULT>((owner.*Handler)(std::forward<A>(arguments)...));
        return true;
    } else {
        result = static_cast<LRESULT>((owner.*Handler)(std::forward<A>(arguments)...));
        return true;
    }
}

enum class RowKind { Decoded, Observed, AsItCame, Commanded };

template <typename Base, UINT Message, auto Handler, RowKind Kind>
bool Dispatch(Base& window, const WindowMessage& message, LRESULT& result) {
    using Owner = typename MemberOf<decltype(Handler)>::Class;
    Owner& owner = static_cast<Owner&>(window);
    if constexpr (Kind == RowKind::Decoded) {
        return std::apply(
            [&](auto&&... arguments) {
                return Call<Handler>(owner, result,
                                     std::forward<decltype(arguments)>(arguments)...);
            },
            MessageArguments<Message>::Of(message));
    } else if constexpr (Kind == RowKind::Observed) {
        std::apply([&](auto&&... arguments) { (owner.*Handler)(arguments...); },
                   MessageArguments<Message>::Of(message));
        return false;
    } else if constexpr (Kind == RowKind::AsItCame) {
        return Call<Handler>(owner, result, message);
    } else if constexpr (std::is_invocable_v<decltype(Handler), Owner&, UINT>) {
        return Call<Handler>(owner, result, static_cast<UINT>(HIWORD(message.wParam)));
    } else {
        return Call<Handler>(owner, result);
    }
}

// A row before it knows its table: it becomes a MessageRow of the base that
// routes the table.
template <UINT Message, int CommandId, auto Handler, RowKind Kind>
struct Row {
    template <typename Base>
    constexpr operator MessageRow<Base>() const {
        return {Message, CommandId, &Dispatch<Base, Message, Handler, Kind>};
    }
};

// Whether one message could reach both rows.
template <typename Base>
constexpr bool RowsOverlap(const MessageRow<Base>& a, const MessageRow<Base>& b) {
    return a.message == b.message &&
           (a.commandId == kAnyCommand || b.commandId == kAnyCommand || a.commandId == b.commandId);
}

// Not constexpr: a table whose rows overlap stops at this call and does not compile.
void TwoRowsTakeTheSameMessage();

}  // namespace message_map_detail

// The message, decoded, goes to the handler.
template <UINT Message, auto Handler>
constexpr auto Handle() {
    return message_map_detail::Row<Message, kAnyCommand, Handler,
                                   message_map_detail::RowKind::Decoded>{};
}

// The handler sees the message, which then goes on as if no row had taken it.
template <UINT Message, auto Handler>
constexpr auto Observe() {
    return message_map_detail::Row<Message, kAnyCommand, Handler,
                                   message_map_detail::RowKind::Observed>{};
}

// The message as it came: for handlers that pass it on unchanged (to the
// previous procedure around their own work, or to another window).
template <UINT Message, auto Handler>
constexpr auto HandleAsItCame() {
    return message_map_detail::Row<Message, kAnyCommand, Handler,
                                   message_map_detail::RowKind::AsItCame>{};
}

// WM_COMMAND from the control (or menu item, or accelerator) with this id.
template <int Id, auto Handler>
constexpr auto Command() {
    return message_map_detail::Row<WM_COMMAND, Id, Handler,
                                   message_map_detail::RowKind::Commanded>{};
}

// A window class's table as its base routes it, made from the class's array of
// rows when the program is compiled.
template <typename Base>
class MessageTable {
  public:
    template <size_t N>
    consteval MessageTable(const MessageRow<Base> (&rows)[N]) : rows_(rows) {
        for (size_t i = 0; i < N; ++i) {
            for (size_t j = i + 1; j < N; ++j) {
                if (message_map_detail::RowsOverlap(rows[i], rows[j])) {
                    message_map_detail::TwoRowsTakeTheSameMessage();
                }
            }
        }
    }

    // The row that takes the message, if one does, handles it with result.
    bool Route(Base& window, const WindowMessage& message, LRESULT& result) const {
        for (const MessageRow<Base>& row : rows_) {
            if (row.message == message.id &&
                (row.commandId == kAnyCommand || row.commandId == LOWORD(message.wParam))) {
                return row.call(window, message, result);
            }
        }
        return false;
    }

  private:
    std::span<const MessageRow<Base>> rows_;
};
