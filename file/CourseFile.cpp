#include "file/CourseFile.h"

#include "doc/TrackwrightDoc.h"
#include "file/FileReplace.h"
#include "file/ObjectLines.h"
#include "file/NumberText.h"
#include "file/Tokenizer.h"
#include "framework/Backend.h"

#include <charconv>
#include <cstddef>

namespace {

constexpr int kHandleFields = 8;
constexpr int kXObjectFields = 6;
// How many all-zero records a truncated file may still produce past its last token.
constexpr std::size_t kMaxZeroRecords = 65536;

// A count is believed only as far as the rest of the file can back it. Every field takes
// at least two bytes (a character and a separator), so at most remaining / (2 * fields) + 2
// records can carry data; beyond those a truncated file reads as all-zero records, and at
// most kMaxZeroRecords of them. Thus a count of two billion in a file of a few bytes gives
// some tens of thousands of empty records, not gigabytes of them.
int BoundedCount(int count, const TokenReader& reader, int fields)
{
    if (count <= 0)
        return 0;
    const std::size_t limit =
        reader.Remaining() / (2 * static_cast<std::size_t>(fields)) + 2 + kMaxZeroRecords;
    return static_cast<std::size_t>(count) <= limit ? count : static_cast<int>(limit);
}

float ReadNumber(TokenReader& reader, std::string& token)
{
    reader.ReadToken(token);
    return NarrowToFloat(AtoF(token));
}

int ReadInt(TokenReader& reader, std::string& token)
{
    reader.ReadToken(token);
    return AtoI(token);
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

// The format has no escape: a double quote inside a path or name would end it early and
// shift every field after it. Returns the first text that cannot be stored, or null.
const std::string* FindUnstorableText(const CTrackwrightDoc& doc)
{
    if (doc.m_heightMap.find('"') != std::string::npos)
        return &doc.m_heightMap;
    if (doc.m_colorMap.find('"') != std::string::npos)
        return &doc.m_colorMap;
    for (const XObject& obj : doc.m_xobjects) {
        if (obj.FileName.find('"') != std::string::npos)
            return &obj.FileName;
    }
    return nullptr;
}

}  // namespace

Vector3 ReadVector2(TokenReader& reader, std::string& token)
{
    Vector3 v;
    v.x = ReadNumber(reader, token);
    v.y = ReadNumber(reader, token);
    return v;
}

void CourseHandle::WriteHandle(std::string& out) const
{
    const float fields[kHandleFields] = {vPos.x, vPos.y, vTanNext.x, vTanNext.y,
                                         vTanPrev.x, vTanPrev.y, WidthRight, WidthLeft};
    for (const float f : fields) {
        AppendFixed(out, f);
        out += ' ';
    }
    out += "\r\n";
}

void XObject::ReadXObject(TokenReader& reader, std::string& token)
{
    reader.ReadToken(token);
    FileName = token;
    Pos.x = ReadNumber(reader, token);
    Pos.y = ReadNumber(reader, token);
    Pos.z = 0.0f;
    Pos.w = 1.0f;
    Direction = ReadNumber(reader, token);
    Width = ReadNumber(reader, token);
    Height = ReadNumber(reader, token);
}

std::string CourseFileText(const CTrackwrightDoc& doc)
{
    std::string out;
    const auto& handles = doc.m_course.m_handles;
    // About 120 bytes per handle line and 90 per object line.
    out.reserve(512 + 120 * static_cast<std::size_t>(handles.GetSize()) +
                (90 + 8) * static_cast<std::size_t>(doc.m_xobjects.GetSize()));

    out += "#CourseData : NumOfHandle HandleData... TexLuminance\r\n";
    out += "#HandleData : vPos vTanNext vTanPrev WidthRight WidthLeft\r\n";
    AppendInt(out, handles.GetSize());
    out += "\r\n";
    for (const CourseHandle& h : handles)
        h.WriteHandle(out);
    AppendFixed(out, doc.m_course.m_texLuminance);
    out += " #TexLuminance\r\n";
    AppendMapPath(out, doc.m_heightMap, "#HeightMap");
    AppendMapPath(out, doc.m_colorMap, "#ColorMap");
    AppendInt(out, doc.m_visibleMap);
    out += " #VisibleMap(0...HeightMap 1...ColorMap)\r\n";
    AppendInt(out, doc.m_xobjects.GetSize());
    out += " #NumberOfXObject\r\n";
    out += "#XObjectData: PosX PoxY Direction Width Height\r\n";
    out += "#XObject : FileName x y Angle Width Height\r\n";
    for (const XObject& obj : doc.m_xobjects)
        AppendXObjectLine(out, obj);
    return out;
}

void ParseCourseText(std::string_view text, CTrackwrightDoc& doc)
{
    TokenReader reader(text);
    std::string token;
    token.reserve(256);

    const int handleCount = BoundedCount(ReadInt(reader, token), reader, kHandleFields);
    auto& handles = doc.m_course.m_handles;
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

    doc.m_course.m_texLuminance = ReadNumber(reader, token);

    reader.ReadToken(token);
    if (!EqualsNoCase(token, "none"))
        doc.m_heightMap = token;
    reader.ReadToken(token);
    if (!EqualsNoCase(token, "none"))
        doc.m_colorMap = token;

    doc.m_visibleMap = ReadInt(reader, token);

    const int objectCount = BoundedCount(ReadInt(reader, token), reader, kXObjectFields);
    doc.m_xobjects.Reserve(objectCount);
    for (int i = 0; i < objectCount; ++i) {
        XObject obj;
        obj.ReadXObject(reader, token);
        doc.m_xobjects.Add(obj);
    }
}

BOOL CTrackwrightDoc::OnOpenDocument(const std::string& pathName)
{
    // The whole file is read before anything changes, so a file that cannot be read
    // leaves the course on screen as it was.
    std::string text;
    if (!ReadTextFile(pathName, text)) {
        AfxMessageBox(pathName + "ファイルの読み込みに失敗しました", MB_OK);
        return FALSE;
    }

    DeleteContents();
    ParseCourseText(text, *this);
    // The texture needs nothing read after the shown map, so it is built once all is read.
    m_course.LoadMapTexture(m_visibleMap == 0 ? m_heightMap : m_colorMap);
    return TRUE;
}

BOOL CTrackwrightDoc::OnSaveDocument(const std::string& pathName)
{
    if (const std::string* text = FindUnstorableText(*this)) {
        AfxMessageBox("パスや名前に二重引用符 (\") が含まれているため保存できません: " + *text, MB_OK);
        return FALSE;
    }
    // The old file stays as it was unless every byte of the new one reached the disk.
    if (!ReplaceFileContents(pathName, CourseFileText(*this))) {
        AfxMessageBox(pathName + "ファイルの書き込みに失敗しました", MB_OK);
        return FALSE;
    }
    m_history.MarkSaved();
    return TRUE;
}
