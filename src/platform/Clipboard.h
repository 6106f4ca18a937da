#pragma once
// The system clipboard for pictures.
#include "platform/Emf.h"

// Puts the metafile on the clipboard as one entry in three formats: the EMF
// bytes under "image/emf" (the registered type, the one the desktop's MIME
// database names) and "image/x-emf" (its older alias, still what several
// Linux programs ask for), and a PNG of the picture drawn by our own player
// on white, for programs that take no metafiles. The PNG is the size of the
// picture's bounds (at least one pixel), scaled down evenly when its longer
// side would pass 4096 pixels. Needs the application object.
void CopyMetafileToClipboard(const Metafile& metafile);
