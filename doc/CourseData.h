#pragma once

#include "doc/MapImage.h"
#include "geometry/CourseRecords.h"
#include "geometry/RecordList.h"

#include <cstdint>
#include <memory>
#include <string>

// The course proper: the ring of handles and the map texture under it.
class CourseData {
public:
    CourseData() = default;
    CourseData(const CourseData&) = delete;
    CourseData& operator=(const CourseData&) = delete;
    virtual ~CourseData() = default;

    // Decodes the BMP at path and builds the mipmapped map texture from it (MapTexture.cpp).
    bool LoadMapTexture(std::string path);
    // Draws the map square and every handle with its spans (CourseDrawing.cpp).
    void DrawCourse() const;

    RecordList<CourseHandle> m_handles;
    std::uint32_t m_mapTexture = 0;
    std::unique_ptr<std::uint8_t[]> m_mapPixels;
    MapImageInfo m_mapInfo;
    float m_texLuminance = 0.5f;
};
