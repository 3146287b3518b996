// The course reader on any bytes. Read from a file a few bytes at a time it gives what it gives
// on the text in memory; a number token of any length reads as AtoF reads it whole; and what it
// read, written, read and written again, is the same. The course check has its own target
// (fuzz_course_check.cpp): it costs several times what reading does.
#include "FuzzCheck.h"
#include "FuzzCourse.h"

#include "file/NumberText.h"

#include <algorithm>
#include <cstring>

#include <sys/mman.h>
#include <unistd.h>

namespace {

// The round trip runs on small courses only: its code is all reached by a few records, and
// thousands of them cost far more than they find.
constexpr std::size_t kSmallInput = 4096;
constexpr int kSmallRecords = 4;

template <class T>
bool SameBits(const T& a, const T& b)
{
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

bool SameCourse(const StoredCourse& a, const StoredCourse& b)
{
    if (a.handles.GetSize() != b.handles.GetSize() || a.xobjects.GetSize() != b.xobjects.GetSize())
        return false;
    for (int i = 0; i < a.handles.GetSize(); ++i) {
        const CourseHandle& x = a.handles[i];
        const CourseHandle& y = b.handles[i];
        if (!SameBits(x.vPos, y.vPos) || !SameBits(x.vTanNext, y.vTanNext) || !SameBits(x.vTanPrev, y.vTanPrev) ||
            !SameBits(x.WidthRight, y.WidthRight) || !SameBits(x.WidthLeft, y.WidthLeft))
            return false;
    }
    for (int i = 0; i < a.xobjects.GetSize(); ++i) {
        const XObject& x = a.xobjects[i];
        const XObject& y = b.xobjects[i];
        if (x.FileName != y.FileName || !SameBits(x.Pos, y.Pos) || !SameBits(x.Direction, y.Direction) ||
            !SameBits(x.Width, y.Width) || !SameBits(x.Height, y.Height))
            return false;
    }
    return SameBits(a.texLuminance, b.texLuminance) && a.heightMap == b.heightMap && a.colorMap == b.colorMap &&
           a.visibleMap == b.visibleMap;
}

// As Open reads the bytes: from a file, piece bytes at a time.
StoredCourse ReadInPieces(const std::uint8_t* data, std::size_t size, std::size_t piece)
{
    static const int fd = ::memfd_create("fuzz_course", MFD_CLOEXEC);
    // The reader takes size bytes at most: what an earlier, longer input left after them stays unread.
    FUZZ_CHECK(fd >= 0 && ::pwrite(fd, data, size, 0) == static_cast<ssize_t>(size));
    ::lseek(fd, 0, SEEK_SET);
    TokenReader reader(fd, size, piece);
    return ParseCourse(reader, kFuzzZeroRecords);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const StoredCourse doc = ReadFuzzCourse(std::string(bytes));
    // About eight pieces of uneven length (at least 3 bytes): piece ends fall everywhere over the
    // inputs, and each input pays few reads.
    FUZZ_CHECK(SameCourse(ReadInPieces(data, size, std::max<std::size_t>(3 + size % 13, size / 8)), doc));

    // The whole input as one number token, fed in uneven pieces; only a token longer than the
    // part NumberScan keeps whole is reduced.
    if (size > 1024) {
        NumberScan number;
        for (std::size_t at = 0, step = 1; at < size; at += step, step = step * 2 + 1)
            number.Feed(bytes.data() + at, std::min(step, size - at));
        const double whole = AtoF(bytes);
        const double scanned = number.Value();
        FUZZ_CHECK(SameBits(whole, scanned));
    }

    if (size > kSmallInput || doc.handles.GetSize() > kSmallRecords || doc.xobjects.GetSize() > kSmallRecords)
        return 0;
    const std::string first = CourseFileText(doc);
    // A quoted name holding CR LF reads back with a bare LF: the format has no escape for it.
    std::string names = doc.heightMap + '\0' + doc.colorMap;
    for (const XObject& obj : doc.xobjects)
        names += '\0' + obj.FileName;
    if (names.find("\r\n") != std::string::npos)
        return 0;
    const StoredCourse again = ReadFuzzCourse(first);
    FUZZ_CHECK(again.handles.GetSize() == doc.handles.GetSize() && again.xobjects.GetSize() == doc.xobjects.GetSize());
    FUZZ_CHECK(again.heightMap == doc.heightMap && again.colorMap == doc.colorMap && again.visibleMap == doc.visibleMap);
    FUZZ_CHECK(CourseFileText(again) == first);
    return 0;
}
