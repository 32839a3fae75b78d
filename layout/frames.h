#pragma once
// The window frames the layout rules count in a window's outer size, in
// twips. The desktop draws its own frame; these are the sizes the program
// reserves for it, so the inner area of a window is its outer size less these.

namespace Frame {
constexpr int ToolWidth = 90;        // a tool window's two borders, 3 px each
constexpr int ToolHeight = 345;      // its small title bar (17 px) and two borders
constexpr int WindowWidth = 120;     // a window's two borders, 4 px each
constexpr int WindowHeight = 405;    // its title bar (19 px) and two borders
constexpr int MenuBarHeight = 285;   // one line of menu bar, 19 px
}   // namespace Frame
