#pragma once
// JPEG pictures decoded with libjpeg.
#include <QImage>
#include <string_view>

// Decodes a baseline or progressive JPEG (grey or colour) into an RGB image.
// Throws ConversionError on data libjpeg rejects.
QImage DecodeJpeg(std::string_view bytes);
