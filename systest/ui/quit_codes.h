// The codes with which the dialogs end the message loop; the last one becomes
// the process exit code.
#pragma once

inline constexpr int kQuitAccepted = 1;   // the agreement accepted; the main dialog closed with OK
inline constexpr int kQuitCancelled = 2;  // declined, Esc or the close box
