#pragma once

// The map images lie on a square of the course plane centred on the origin: texture
// coordinate (0, 0) at (-kMapSquareHalf, -kMapSquareHalf), (1, 1) at the opposite corner.
// The drawing, the heights under the course and the terrain mesh all place the maps by it.
constexpr float kMapSquareHalf = 128.0f;
constexpr float kMapSquareSide = 2.0f * kMapSquareHalf;

// Texture coordinate of a course coordinate along one axis of the square (not clamped).
constexpr double MapSquareTexCoord(double courseCoordinate)
{
    return (courseCoordinate + kMapSquareHalf) / kMapSquareSide;
}
