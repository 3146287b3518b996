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

    return EncodePngPixels(width, height, 3, rgb.data(), false);
}

std::string EncodePngPixels(int width, int height, int channels, const std::uint8_t* bottomUp, bool fast)
{
    if (width <= 0 || height <= 0 || (channels != 1 && channels != 3) || !bottomUp)
        return {};
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = channels == 3 ? PNG_FORMAT_RGB : PNG_FORMAT_GRAY;
    image.flags = fast ? PNG_IMAGE_FLAG_FAST : 0;
    // A negative stride: the rows are stored bottom row first. The bytes are made in memory;
    // the caller writes them with a safe replace (libpng's own file writer removes the path
    // when a write fails, and the path may name a file the user keeps).
    const png_int_32 stride = -static_cast<png_int_32>(width) * channels;
    // One pass into a buffer of the largest size the image can take (a first pass to learn the
    // size would compress everything twice).
    png_alloc_size_t size = PNG_IMAGE_PNG_SIZE_MAX(image);
    std::string png(size, '\0');
    const int made = png_image_write_to_memory(&image, png.data(), &size, 0, bottomUp, stride, nullptr);
    png_image_free(&image);
    if (!made)
        return {};
    png.resize(size);
    return png;
}
