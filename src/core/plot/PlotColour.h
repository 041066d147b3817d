#pragma once

#include <QtGlobal>

// Colours of the plot as 0xRRGGBB, so that the core needs no GUI type.
namespace PlotColour {
constexpr quint32 Black = 0x000000;
constexpr quint32 Blue = 0x0000FF;
constexpr quint32 Red = 0xFF0000;
constexpr quint32 Green = 0x008000;
constexpr quint32 Grid = 0xD3D3D3; // light enough to read the curve across it
constexpr quint32 SecondCursor = 0xE07000; // orange, apart from the black cursor
constexpr quint32 NightShade = 0xE6ECF7; // pale enough for the grid and curve to show on it
} // namespace PlotColour
