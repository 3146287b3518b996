#include "framework/ImageFile.h"

#include <QImage>

bool SavePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgbaBottomUp)
{
    if (width <= 0 || height <= 0 ||
        rgbaBottomUp.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4)
        return false;
    QImage image(rgbaBottomUp.data(), width, height, width * 4, QImage::Format_RGBA8888);
    return image.mirrored(false, true).convertToFormat(QImage::Format_RGB888).save(QString::fromStdString(path), "PNG");
}
