#pragma once
// The test sheet: one landscape page (279 x 202 page units) that draws
// every drawing primitive once, through the targets the drawing state names
// (chart/UnCanvaVlk), so that each output format can be checked against the
// others: circles at zoom 1 and 1.5, dashed and dotted lines, the pens, the
// 14 aspect glyphs, every planet and sign symbol, a house ring with its
// angle marks, the badge and its outline, the date stamp and a text in each
// font code.
void DrawTestSheet();
