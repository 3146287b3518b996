#include "document/TrackwrightDoc.h"

#include "file/MapPath.h"
#include "framework/Backend.h"
#include "framework/Resources.h"
#include "res/Resource.h"

bool CTrackwrightDoc::LoadMap(std::int32_t visible, const std::string& coursePath)
{
    const std::string& path = visible == ShowHeightMap ? m_heightMap : m_colorMap;
    if (path.empty())
        return true;
    m_course.LoadMapTexture(MapFileToRead(path, coursePath));
    // Decoded pixels mean the file was good, even where no GL context could take them.
    if (m_course.m_mapPixels)
        return true;
    AfxSetStatusText(std::string(AfxLoadString(visible == ShowHeightMap ? IDS_HEIGHTMAP_NOT_READ : IDS_COLORMAP_NOT_READ)) +
                     path);
    return false;
}
