#pragma once

#include "file/MapImage.h"
#include "geometry/CourseRecords.h"
#include "geometry/RecordList.h"

#include <cstdint>
#include <memory>
#include <string>

// The GL pixel format of a decoded map: GL_RGB or GL_LUMINANCE (one byte per channel).
std::uint32_t MapPixelFormat(const MapImageInfo& info);

// The course proper: the ring of handles and the map texture under it.
class CourseData {
public:
    CourseData() = default;
    CourseData(const CourseData&) = delete;
    CourseData& operator=(const CourseData&) = delete;
    virtual ~CourseData() = default;

    // Decodes the BMP at path and builds the mipmapped map texture from it (MapTexture.cpp).
    // A map taken on the current (or no) context is refused over the side MaxMapSide gives.
    bool LoadMapTexture(std::string path);
    // The longest map side the GL takes (GL_MAX_TEXTURE_SIZE) once a context is made current;
    // INT32_MAX where there is none.
    static std::int32_t MaxMapSide();

    RecordList<CourseHandle> m_handles;
    std::uint32_t m_mapTexture = 0;
    std::unique_ptr<std::uint8_t[]> m_mapPixels;
    MapImageInfo m_mapInfo;
    float m_texLuminance = 0.5f;
};
