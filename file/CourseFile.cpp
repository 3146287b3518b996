#include "file/CourseFile.h"

#include "file/NumberText.h"
#include "file/ObjectLines.h"
#include "file/RegularFile.h"
#include "file/Tokenizer.h"

#include <charconv>
#include <cstddef>

#include <unistd.h>

namespace {

constexpr int kHandleFields = 8;
constexpr int kXObjectFields = 6;

// A count is believed only as far as the rest of the file can back it. Every field takes
// at least two bytes (a character and a separator), so at most remaining / (2 * fields) + 2
// records can carry data; beyond those a truncated file reads as all-zero records, and at
// most zeroRecords of them. Thus a count of two billion in a file of a few bytes gives
// some tens of thousands of empty records, not gigabytes of them.
// The line-end translation drops at most every other byte, so half the unread bytes is a
// bound low enough to trust a count without reading the rest of a file ahead to count them.
int BoundedCount(int count, const TokenReader& reader, int fields, std::size_t zeroRecords)
{
    if (count <= 0)
        return 0;
    const auto limit = [fields, zeroRecords](std::uint64_t remaining) {
        return remaining / (2 * static_cast<std::uint64_t>(fields)) + 2 + zeroRecords;
    };
    if (static_cast<std::uint64_t>(count) <= limit(reader.Unread() / 2))
        return count;
    const std::uint64_t bound = limit(reader.Remaining());
    return static_cast<std::uint64_t>(count) <= bound ? count : static_cast<int>(bound);
}

// The scans of number tokens and the token of names, reused from field to field.
struct Scratch {
    std::string token;
    NumberScan number;
    IntScan integer;
};

float ReadNumber(TokenReader& reader, Scratch& s)
{
    reader.ReadToken(s.number);
    return NarrowToFloat(s.number.Value());
}

int ReadInt(TokenReader& reader, Scratch& s)
{
    reader.ReadToken(s.integer);
    return s.integer.Value();
}

void AppendInt(std::string& out, int value)
{
    char buf[16];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, end);
}

void AppendMapPath(std::string& out, const std::string& path, const char* comment)
{
    if (path.empty()) {
        out += "none\r\n";
        return;
    }
    out += '"';
    out += path;
    out += "\" ";
    out += comment;
    out += "\r\n";
}

// Two number tokens as x and y, with z 0 and w 1.
Vector3 ReadVector2(TokenReader& reader, Scratch& token)
{
    Vector3 v;
    v.x = ReadNumber(reader, token);
    v.y = ReadNumber(reader, token);
    return v;
}

void WriteHandle(std::string& out, const CourseHandle& h)
{
    const float fields[kHandleFields] = {h.vPos.x, h.vPos.y, h.vTanNext.x, h.vTanNext.y,
                                         h.vTanPrev.x, h.vTanPrev.y, h.WidthRight, h.WidthLeft};
    for (const float f : fields) {
        AppendFixed(out, f);
        out += ' ';
    }
    out += "\r\n";
}

XObject ReadXObject(TokenReader& reader, Scratch& token)
{
    XObject obj;
    reader.ReadToken(token.token);
    obj.FileName = token.token;
    obj.Pos.x = ReadNumber(reader, token);
    obj.Pos.y = ReadNumber(reader, token);
    obj.Pos.z = 0.0f;
    obj.Pos.w = 1.0f;
    obj.Direction = ReadNumber(reader, token);
    obj.Width = ReadNumber(reader, token);
    obj.Height = ReadNumber(reader, token);
    return obj;
}

}  // namespace

const std::string* FindUnstorableText(const StoredCourseView& course)
{
    if (course.heightMap.find('"') != std::string::npos)
        return &course.heightMap;
    if (course.colorMap.find('"') != std::string::npos)
        return &course.colorMap;
    for (const XObject& obj : course.xobjects) {
        if (obj.FileName.find('"') != std::string::npos)
            return &obj.FileName;
    }
    return nullptr;
}

std::string CourseFileText(const StoredCourseView& course)
{
    std::string out;
    const auto& handles = course.handles;
    // About 120 bytes per handle line and 90 per object line.
    out.reserve(512 + 120 * static_cast<std::size_t>(handles.GetSize()) +
                (90 + 8) * static_cast<std::size_t>(course.xobjects.GetSize()));

    out += "#CourseData : NumOfHandle HandleData... TexLuminance\r\n";
    out += "#HandleData : vPos vTanNext vTanPrev WidthRight WidthLeft\r\n";
    AppendInt(out, handles.GetSize());
    out += "\r\n";
    for (const CourseHandle& h : handles)
        WriteHandle(out, h);
    AppendFixed(out, course.texLuminance);
    out += " #TexLuminance\r\n";
    AppendMapPath(out, course.heightMap, "#HeightMap");
    AppendMapPath(out, course.colorMap, "#ColorMap");
    AppendInt(out, course.visibleMap);
    out += " #VisibleMap(0...HeightMap 1...ColorMap)\r\n";
    AppendInt(out, course.xobjects.GetSize());
    out += " #NumberOfXObject\r\n";
    out += "#XObjectData: PosX PoxY Direction Width Height\r\n";
    out += "#XObject : FileName x y Angle Width Height\r\n";
    for (const XObject& obj : course.xobjects)
        AppendXObjectLine(out, obj);
    return out;
}

StoredCourse ParseCourse(TokenReader& reader, std::size_t zeroRecords)
{
    StoredCourse course;
    reader.SkipByteOrderMark();
    Scratch token;
    token.token.reserve(256);

    const int handleCount = BoundedCount(ReadInt(reader, token), reader, kHandleFields, zeroRecords);
    auto& handles = course.handles;
    handles.Reserve(handleCount);
    for (int i = 0; i < handleCount; ++i) {
        CourseHandle h;
        h.vPos = ReadVector2(reader, token);
        h.vTanNext = ReadVector2(reader, token);
        h.vTanPrev = ReadVector2(reader, token);
        h.WidthRight = ReadNumber(reader, token);
        h.WidthLeft = ReadNumber(reader, token);
        handles.Add(h);
    }

    course.texLuminance = ReadNumber(reader, token);

    reader.ReadToken(token.token);
    if (!EqualsNoCase(token.token, "none"))
        course.heightMap = token.token;
    reader.ReadToken(token.token);
    if (!EqualsNoCase(token.token, "none"))
        course.colorMap = token.token;

    course.visibleMap = ReadInt(reader, token);

    const int objectCount = BoundedCount(ReadInt(reader, token), reader, kXObjectFields, zeroRecords);
    course.xobjects.Reserve(objectCount);
    for (int i = 0; i < objectCount; ++i) {
        course.xobjects.Add(ReadXObject(reader, token));
    }
    return course;
}

StoredCourse ParseCourseText(std::string_view text)
{
    TokenReader reader(text);
    return ParseCourse(reader);
}

bool ReadCourseFile(const std::string& path, StoredCourse& course)
{
    std::uint64_t size = 0;
    const int fd = OpenRegularFile(path, kMaxCourseFileBytes, size);
    if (fd < 0)
        return false;
    TokenReader reader(fd, size);
    StoredCourse read = ParseCourse(reader);
    ::close(fd);
    if (reader.Failed())
        return false;
    course = std::move(read);
    return true;
}
