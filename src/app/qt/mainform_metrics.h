#pragma once

// The main window's bounds as the settings file counts them: the Qt geometry
// plus a fixed frame, so that the figures hold under every window manager.
namespace MainFormMetrics {

// Design bounds (counted with the frame) and the minimum size.
inline constexpr int DesignLeft = 224;
inline constexpr int DesignTop = 124;
inline constexpr int FrameAcross = 8;
inline constexpr int FrameDown = 27;
inline constexpr int MinimumWidth = 621;
inline constexpr int MinimumHeight = 495;
// What a screen can hold: stored bounds beyond these are taken at these, so
// no figure of a settings file reaches the window's arithmetic unbounded.
inline constexpr int MaximumOffset = 32767;
inline constexpr int MaximumSide = 8192;

}  // namespace MainFormMetrics
