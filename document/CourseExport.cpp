#include "document/CourseExport.h"

#include "document/TrackwrightDoc.h"
#include "file/FileReplace.h"
#include "file/GlbFile.h"
#include "file/MapImage.h"
#include "file/MapPath.h"
#include "framework/Backend.h"
#include "framework/ImageFile.h"
#include "framework/Resources.h"
#include "geometry/CourseMeshes.h"
#include "geometry/ValueLimits.h"
#include "res/Resource.h"

#include <memory>
#include <utility>

namespace {

// The first part whose values cannot be exported, as the message naming it; empty when none.
std::string FirstUnusablePart(const CTrackwrightDoc& doc)
{
    for (int i = 0; i < doc.m_course.m_handles.GetSize(); ++i) {
        if (!HandleValuesUsable(doc.m_course.m_handles[i]))
            return std::string(AfxLoadString(IDS_EXPORT_BAD_POINT)) + std::to_string(i);
    }
    for (int i = 0; i < doc.m_xobjects.GetSize(); ++i) {
        if (!ObjectValuesUsable(doc.m_xobjects[i]))
            return std::string(AfxLoadString(IDS_EXPORT_BAD_XOBJECT)) + std::to_string(i);
    }
    return {};
}

// A map of the course decoded, or no pixels (and the status bar naming it) when one is named
// and cannot be read.
struct DecodedMap {
    std::unique_ptr<std::uint8_t[]> pixels;
    MapImageInfo info;
};

DecodedMap ReadMap(const std::string& mapPath, const std::string& coursePath, UINT notRead)
{
    DecodedMap map;
    if (mapPath.empty())
        return map;
    map.pixels = ReadBmp(MapFileToRead(mapPath, coursePath), map.info);
    if (!map.pixels)
        AfxSetStatusText(std::string(AfxLoadString(notRead)) + mapPath);
    return map;
}

}  // namespace

bool ExportCourse(const CTrackwrightDoc& doc, const std::string& outPath, double heightScale)
{
    if (!IsHeightScale(heightScale)) {
        AfxMessageBox(std::string(AfxLoadString(IDS_EXPORT_BAD_SCALE)), MB_OK);
        return false;
    }
    if (const std::string bad = FirstUnusablePart(doc); !bad.empty()) {
        AfxMessageBox(bad, MB_OK);
        return false;
    }
    const std::string& coursePath = doc.GetPathName();
    CourseMeshes meshes;
    {
        // The height map's pixels go once the meshes hold the heights.
        const DecodedMap heightMap = ReadMap(doc.m_heightMap, coursePath, IDS_HEIGHTMAP_NOT_READ);
        HeightField heights;
        heights.pixels = heightMap.pixels.get();
        heights.width = heightMap.info.width;
        heights.height = heightMap.info.height;
        heights.components = heightMap.info.components;
        heights.scale = heightScale;
        meshes = BuildCourseMeshes(doc.m_course.m_handles, doc.m_xobjects, heights);
    }

    std::string png;
    if (const DecodedMap colorMap = ReadMap(doc.m_colorMap, coursePath, IDS_COLORMAP_NOT_READ); colorMap.pixels)
        png = EncodePngPixels(colorMap.info.width, colorMap.info.height, colorMap.info.components,
                              colorMap.pixels.get(), true);
    const std::string glb = EncodeCourseGlb(std::move(meshes), png);
    if (glb.empty() || !ReplaceFileContents(outPath, glb)) {
        AfxMessageBox(std::string(AfxLoadString(IDS_EXPORT_WRITE_FAILED)) + outPath, MB_OK);
        return false;
    }
    return true;
}
