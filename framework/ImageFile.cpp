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

namespace {

void AppendToString(png_structp png, png_bytep data, png_size_t length)
{
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}

void NoFlush(png_structp) {}

// The bytes of a PNG written with zlib's fastest level and the Sub filter: a map of 16 million
// pixels takes a fraction of the time the default settings need, at a modest cost in size.
std::string EncodePngFast(int width, int height, int channels, const std::uint8_t* bottomUp)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    std::string out;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return out;
    }
    // libpng reports errors by longjmp; nothing here owns memory across it but out, whose
    // destructor still runs once this function returns normally afterwards.
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    out.reserve(std::size_t(width) * std::size_t(height) * std::size_t(channels) / 2);
    png_set_write_fn(png, &out, AppendToString, NoFlush);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8,
                 channels == 3 ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 1);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    png_write_info(png, info);
    const std::size_t rowBytes = std::size_t(width) * std::size_t(channels);
    for (int row = height - 1; row >= 0; --row)
        png_write_row(png, bottomUp + std::size_t(row) * rowBytes);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

}  // namespace

std::string EncodePngPixels(int width, int height, int channels, const std::uint8_t* bottomUp, bool fast)
{
    if (width <= 0 || height <= 0 || (channels != 1 && channels != 3) || !bottomUp)
        return {};
    if (fast)
        return EncodePngFast(width, height, channels, bottomUp);
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = channels == 3 ? PNG_FORMAT_RGB : PNG_FORMAT_GRAY;
    // A negative stride: the rows are stored bottom row first. The bytes are made in memory;
    // the caller writes them with a safe replace (libpng's own file writer removes the path
    // when a write fails, and the path may name a file the user keeps).
    const png_int_32 stride = -static_cast<png_int_32>(width) * channels;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, bottomUp, stride, nullptr))
        return {};
    std::string png(size, '\0');
    const int made = png_image_write_to_memory(&image, png.data(), &size, 0, bottomUp, stride, nullptr);
    png_image_free(&image);
    if (!made)
        return {};
    png.resize(size);
    return png;
}
