#pragma once
// The fourteen aspects between bodies, in the order of every orb table and
// file (the table itself is kAspects of the orb settings).
#include <cstddef>

inline constexpr std::size_t kAspectCount = 14;

// The exact angle of aspect `aspect` (1..14, 1 conjunction .. 14
// opposition), degrees in 0..180; NaN outside 1..14.
long double AspectAngle(int aspect);

// Windows-1252 caption of aspect `aspect` (1..14): "Congiunzione" ...;
// "" outside 1..14.
const char* AspectCaption(int aspect);
