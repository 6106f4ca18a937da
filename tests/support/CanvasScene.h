#pragma once
// The small scene the drawing backends' tests draw through every canvas: a
// red filled rectangle, a thick black line, an outlined ellipse with an arc
// inside it, a green triangle, a centred caption.
#include "platform/Canvas.h"

inline constexpr CanvasColor Red = CanvasRgb(255, 0, 0);
inline constexpr CanvasColor Black = CanvasRgb(0, 0, 0);
inline const char* const Caption = "Prova àè"; // Windows-1252 bytes

inline void Draw(Canvas& c)
{
    c.SelectPen({1, Red});
    c.SelectBrush({Red});
    c.Rectangle({20, 20, 100, 80});
    c.ReleaseBrush();
    c.ReleasePen();

    c.SelectPen({3, Black});
    c.MoveTo({10, 120});
    c.LineTo({190, 120});
    c.ReleasePen();

    c.SelectPen({1, CanvasRgb(0, 0, 255)});
    c.SelectBrush({0, BrushStyle::Null});
    c.Ellipse({120, 20, 180, 80});
    c.Arc({130, 30, 170, 70}, {170, 50}, {150, 30});
    c.ReleaseBrush();
    c.ReleasePen();

    c.SelectPen({0, 0, PenStyle::Null});
    c.SelectBrush({CanvasRgb(0, 255, 0)});
    c.Polygon({{20, 90}, {60, 90}, {40, 110}});
    c.ReleaseBrush();
    c.ReleasePen();

    c.SelectFont({"Arial", -14});
    c.SetTextColor(Black);
    c.SetBackgroundMode(BackgroundMode::Transparent);
    c.TextOut({100, 145}, Caption, TextAlign::Center | TextAlign::Bottom);
    c.ReleaseFont();
}
