// Random courses saved, opened and saved again: the two files are byte for byte the same, and
// every value reads back as the number its printed text stands for.
#include "doc/TrackwrightDoc.h"
#include "file/CourseFile.h"
#include "file/Tokenizer.h"

#include "support/TestBackend.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace {

class Random {
public:
    explicit Random(std::uint32_t seed) : m_rng(seed) {}

    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
    double Real(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(m_rng); }

    // Zeros of both signs, whole and fractional numbers, tiny and huge magnitudes, and any
    // finite bit pattern (subnormals included).
    float Value()
    {
        const float sign = Int(0, 1) ? -1.0f : 1.0f;
        switch (Int(0, 5)) {
        case 0: return sign * 0.0f;
        case 1: return static_cast<float>(Int(-1000, 1000));
        case 2: return static_cast<float>(Real(-1000.0, 1000.0));
        case 3: return sign * static_cast<float>(std::pow(10.0, Real(-12.0, -2.0)));
        case 4: return sign * static_cast<float>(std::min(std::pow(10.0, Real(4.0, 38.5)), double(FLT_MAX)));
        default: {
            float f;
            do {
                f = std::bit_cast<float>(static_cast<std::uint32_t>(m_rng()));
            } while (!std::isfinite(f));
            return f;
        }
        }
    }

    // Names with spaces, "#", tabs, line feeds, back slashes and Japanese bytes; empty too.
    // Double quotes cannot be stored, and CR only where no line feed follows it.
    std::string Name()
    {
        static const char* const pieces[] = {"a", "Z", "7", " ", "#", ".", "/", "\\", "\t", "\n",
                                             "-", "_", "%end", "\r", "\xE3\x82\xB3", "none"};
        std::string s;
        for (int n = Int(0, 12); n > 0; --n) {
            const std::string piece = pieces[Int(0, static_cast<int>(std::size(pieces)) - 1)];
            if (piece == "\n" && !s.empty() && s.back() == '\r')
                continue;
            s += piece;
        }
        return s;
    }

    // A map path: empty (written as none) or a name; "none" in any case is the empty path.
    std::string MapPath()
    {
        if (Int(0, 3) == 0)
            return "";
        std::string s = Name();
        return EqualsNoCase(s, "none") ? s + "x" : s;
    }

private:
    std::mt19937 m_rng;
};

void FillRandomCourse(Random& r, CTrackwrightDoc& doc)
{
    doc.DeleteContents();
    for (int n = r.Int(0, 200); n > 0; --n) {
        CourseHandle h;
        h.vPos = Vector3(r.Value(), r.Value(), 0.0f);
        h.vTanNext = Vector3(r.Value(), r.Value(), 0.0f);
        h.vTanPrev = Vector3(r.Value(), r.Value(), 0.0f);
        h.WidthRight = r.Value();
        h.WidthLeft = r.Value();
        doc.m_course.m_handles.Add(h);
    }
    doc.m_course.m_texLuminance = r.Value();
    doc.m_heightMap = r.MapPath();
    doc.m_colorMap = r.MapPath();
    const int visible[] = {0, 1, 2, -1, 2147483647, -2147483647 - 1};
    doc.m_visibleMap = visible[r.Int(0, 5)];
    for (int n = r.Int(0, 200); n > 0; --n) {
        doc.m_xobjects.Add(XObject(r.Name(), Vector3(r.Value(), r.Value(), 0.0f), r.Value(),
                                   r.Value(), r.Value()));
    }
}

// The float the file's text for v stands for, by the C library in the "C" locale.
float Printed(float v)
{
    char text[64];
    std::snprintf(text, sizeof text, "%13.8f", static_cast<double>(v));
    return static_cast<float>(std::strtod(text, nullptr));
}

std::string ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class CourseRoundTrip : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string templ = (std::filesystem::temp_directory_path() / "tw_roundtrip_XXXXXX").string();
        ASSERT_NE(::mkdtemp(templ.data()), nullptr);
        m_dir = templ;
    }
    void TearDown() override
    {
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }

    TestBackend backend;
    std::filesystem::path m_dir;
};

#define EXPECT_READ_AS_PRINTED(read, written) \
    EXPECT_EQ(std::bit_cast<std::uint32_t>(read), std::bit_cast<std::uint32_t>(Printed(written)))

TEST_F(CourseRoundTrip, SaveOpenSaveIsByteIdenticalAndValuesReadAsPrinted)
{
    Random r(20240611);
    const std::string first = (m_dir / "first course #1.crs").string();
    const std::string second = (m_dir / "second course.crs").string();
    for (int iteration = 0; iteration < 300; ++iteration) {
        SCOPED_TRACE("iteration " + std::to_string(iteration));
        CTrackwrightDoc written;
        FillRandomCourse(r, written);
        // Every tenth course goes through the real save (which syncs to disk and is slow);
        // the others through the same text written plainly.
        const bool realSave = iteration % 10 == 0;
        if (realSave) {
            ASSERT_TRUE(written.OnSaveDocument(first));
        } else {
            std::ofstream(first, std::ios::binary | std::ios::trunc) << CourseFileText(written);
        }

        CTrackwrightDoc read;
        ASSERT_TRUE(read.OnOpenDocument(first));
        const std::string bytes = ReadBytes(first);
        ASSERT_FALSE(bytes.empty());
        if (realSave) {
            ASSERT_TRUE(read.OnSaveDocument(second));
            ASSERT_EQ(bytes, ReadBytes(second));
        } else {
            ASSERT_EQ(bytes, CourseFileText(read));
        }

        const auto& wh = written.m_course.m_handles;
        const auto& rh = read.m_course.m_handles;
        ASSERT_EQ(rh.GetSize(), wh.GetSize());
        for (int i = 0; i < wh.GetSize(); ++i) {
            EXPECT_READ_AS_PRINTED(rh[i].vPos.x, wh[i].vPos.x);
            EXPECT_READ_AS_PRINTED(rh[i].vPos.y, wh[i].vPos.y);
            EXPECT_READ_AS_PRINTED(rh[i].vTanNext.x, wh[i].vTanNext.x);
            EXPECT_READ_AS_PRINTED(rh[i].vTanNext.y, wh[i].vTanNext.y);
            EXPECT_READ_AS_PRINTED(rh[i].vTanPrev.x, wh[i].vTanPrev.x);
            EXPECT_READ_AS_PRINTED(rh[i].vTanPrev.y, wh[i].vTanPrev.y);
            EXPECT_READ_AS_PRINTED(rh[i].WidthRight, wh[i].WidthRight);
            EXPECT_READ_AS_PRINTED(rh[i].WidthLeft, wh[i].WidthLeft);
            EXPECT_EQ(rh[i].vPos.z, 0.0f);
            EXPECT_EQ(rh[i].vPos.w, 1.0f);
        }
        EXPECT_READ_AS_PRINTED(read.m_course.m_texLuminance, written.m_course.m_texLuminance);
        EXPECT_EQ(read.m_heightMap, written.m_heightMap);
        EXPECT_EQ(read.m_colorMap, written.m_colorMap);
        EXPECT_EQ(read.m_visibleMap, written.m_visibleMap);

        const auto& wx = written.m_xobjects;
        const auto& rx = read.m_xobjects;
        ASSERT_EQ(rx.GetSize(), wx.GetSize());
        for (int i = 0; i < wx.GetSize(); ++i) {
            EXPECT_EQ(rx[i].FileName, wx[i].FileName);
            EXPECT_READ_AS_PRINTED(rx[i].Pos.x, wx[i].Pos.x);
            EXPECT_READ_AS_PRINTED(rx[i].Pos.y, wx[i].Pos.y);
            EXPECT_READ_AS_PRINTED(rx[i].Direction, wx[i].Direction);
            EXPECT_READ_AS_PRINTED(rx[i].Width, wx[i].Width);
            EXPECT_READ_AS_PRINTED(rx[i].Height, wx[i].Height);
        }
        if (HasFailure())
            break;   // one failing course is enough to look at
    }
    EXPECT_TRUE(backend.messages.empty());
}

}  // namespace
