#include "document/CourseCheckText.h"

#include "framework/Resources.h"
#include "res/Resource.h"

#include <charconv>
#include <string_view>

namespace {

// Piece k of a resource string whose pieces are separated by "\n"; empty past the last.
std::string Piece(UINT id, int k)
{
    std::string_view text = AfxLoadString(id);
    for (int i = 0; i < k; ++i) {
        const auto nl = text.find('\n');
        if (nl == std::string_view::npos)
            return {};
        text.remove_prefix(nl + 1);
    }
    return std::string(text.substr(0, text.find('\n')));
}

// A name read from a file stays on one line and cannot steer a terminal.
std::string Printable(const std::string& name)
{
    std::string out = name;
    for (char& c : out) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            c = '?';
    }
    return out;
}

}  // namespace

const char* FindingKeyword(FindingKind kind)
{
    switch (kind) {
    case FindingKind::Fold:
        return "fold";
    case FindingKind::Crossing:
        return "crossing";
    case FindingKind::Overlap:
        return "overlap";
    case FindingKind::Value:
        break;
    }
    return "value";
}

std::vector<std::string> FindingColumnHeadings()
{
    return {Piece(IDS_CHECK_COLUMNS, 0), Piece(IDS_CHECK_COLUMNS, 1), Piece(IDS_CHECK_COLUMNS, 2)};
}

std::string FindingKindName(FindingKind kind)
{
    return Piece(IDS_CHECK_KINDS, static_cast<int>(kind));
}

std::string FindingPartName(const CourseFinding& f)
{
    return AfxFormat(Piece(IDS_CHECK_PARTS, static_cast<int>(f.part)).c_str(), f.index);
}

std::string FindingText(const CourseFinding& f, const RecordList<XObject>& objects)
{
    switch (f.kind) {
    case FindingKind::Fold:
        return Piece(IDS_CHECK_FOLD, f.sides == kFoldLeft ? 0 : f.sides == kFoldRight ? 1 : 2);
    case FindingKind::Crossing:
        return AfxFormatString(IDS_CHECK_CROSSING, f.other);
    case FindingKind::Overlap: {
        const bool known = f.index >= 0 && f.index < objects.GetSize();
        return AfxFormatString(IDS_CHECK_OVERLAP, known ? Printable(objects[f.index].FileName).c_str() : "");
    }
    case FindingKind::Value:
        break;
    }
    const std::string field = Piece(IDS_CHECK_FIELDS, static_cast<int>(f.field) - 1);
    return AfxFormat(Piece(IDS_CHECK_VALUE, static_cast<int>(f.problem) - 1).c_str(), field.c_str());
}

std::string LengthText(double value)
{
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    return ec == std::errc() ? std::string(buffer, end) : std::string("-");
}

std::string CourseFiguresText(const CourseFigures& figures)
{
    const std::string radius = figures.smallestRadiusHandle < 0 ? "-" : LengthText(figures.smallestRadius);
    return AfxFormatString(IDS_CHECK_FIGURES, LengthText(figures.centreLength).c_str(),
                           LengthText(figures.leftLength).c_str(), LengthText(figures.rightLength).c_str(),
                           radius.c_str(), figures.smallestRadiusHandle, figures.handleCount, figures.objectCount);
}

std::string CourseCheckSummary(const CourseCheckResult& result)
{
    return AfxFormatString(IDS_CHECK_SUMMARY, static_cast<int>(result.findings.size()),
                           LengthText(result.figures.centreLength).c_str());
}

std::string OpenValuesMessage(const std::vector<CourseFinding>& values, const RecordList<XObject>& objects)
{
    if (values.empty())
        return {};
    const CourseFinding& first = values.front();
    return AfxFormatString(IDS_CHECK_OPEN_VALUES, static_cast<int>(values.size()),
                           FindingPartName(first).c_str(), FindingText(first, objects).c_str());
}
