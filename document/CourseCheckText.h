#pragma once

// The course check's findings and figures in words, for the panel, the command line and Open.
#include "geometry/CourseCheck.h"

#include <string>
#include <vector>

// The word the command line prints for a kind: "fold", "crossing", "overlap", "value".
const char* FindingKeyword(FindingKind kind);
// The headings of the panel's columns: kind, part, text.
std::vector<std::string> FindingColumnHeadings();
// The kind as the panel names it.
std::string FindingKindName(FindingKind kind);
// "コントロールポイント 12" or "Xオブジェクト 3".
std::string FindingPartName(const CourseFinding& f);
// One line saying what is wrong; an object's name appears with control characters replaced.
std::string FindingText(const CourseFinding& f, const RecordList<XObject>& objects);
// The figures as three lines.
std::string CourseFiguresText(const CourseFigures& figures);
// The command line's last line: the count and the centre-line length.
std::string CourseCheckSummary(const CourseCheckResult& result);
// What Open says about a course with unusable values (findings from CheckCourseValues, not empty).
std::string OpenValuesMessage(const std::vector<CourseFinding>& values, const RecordList<XObject>& objects);
// A length for people: two decimals, '.' whatever the locale.
std::string LengthText(double value);
