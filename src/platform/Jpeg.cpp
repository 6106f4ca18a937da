#include "platform/Jpeg.h"

#include "platform/Errors.h"

#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>

namespace {
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr info)
{
    auto* err = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, err->message);
    std::longjmp(err->jump, 1);
}

void OnMessage(j_common_ptr, int) {}
} // namespace

QImage DecodeJpeg(std::string_view bytes)
{
    jpeg_decompress_struct info {};
    ErrorManager err {};
    info.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = OnError;
    err.pub.emit_message = OnMessage;
    // Everything the jump can skip lives outside this frame's locals that
    // change after setjmp.
    QImage* volatile image = nullptr;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&info);
        delete image;
        throw ConversionError("JPEG", std::string("non leggibile: ") + err.message);
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    image = new QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height), QImage::Format_RGB888);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image->scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    QImage result = *image;
    delete image;
    return result;
}
