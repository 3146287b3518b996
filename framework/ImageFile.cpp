#include "framework/ImageFile.h"

#include <png.h>

#include <cstring>

std::string EncodePng(int width, int height, const std::vector<std::uint8_t>& rgbaBottomUp)
{
    if (width <= 0 || height <= 0 ||
        rgbaBottomUp.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4)
        return {};

    // 8-bit RGB: GL's alpha is not part of the picture.
    const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    std::vector<std::uint8_t> rgb(pixels * 3);
    for (std::size_t i = 0; i < pixels; ++i)
        std::memcpy(&rgb[i * 3], &rgbaBottomUp[i * 4], 3);

    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    // A negative stride: the rows are stored bottom row first. The bytes are made in memory;
    // the caller writes them with a safe replace (libpng's own file writer removes the path
    // when a write fails, and the path may name a file the user keeps).
    const png_int_32 stride = -static_cast<png_int_32>(width) * 3;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), stride, nullptr))
        return {};
    std::string png(size, '\0');
    const int made = png_image_write_to_memory(&image, png.data(), &size, 0, rgb.data(), stride, nullptr);
    png_image_free(&image);
    if (!made)
        return {};
    png.resize(size);
    return png;
}
